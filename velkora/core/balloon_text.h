// The automatic synchronisation's interval conversions and balloon text.
#pragma once

#include <cstdint>

#include "rt/values.h"

namespace velkora {

// Minutes typed in the dialog -> the timer period (n x 60000.0, low 32 bits
// of the truncation).
int32_t MinutesToPeriod(int32_t minutes);

// The period shown in the dialog's edit box: "0", "15", ...
rt::Text PeriodToMinutesText(int32_t periodMs);

// "提示：系统已自动校准时间\r\n下次校准时间：" and the run's end time plus
// the period's whole minutes.
rt::Text AutoSyncBalloonText(rt::DateTime runEnded, int32_t periodMs);

}  // namespace velkora
