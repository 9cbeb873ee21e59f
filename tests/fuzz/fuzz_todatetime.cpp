// Any text either fails to the minimum date or reads as a date in range
// whose own text reads back as the same date; moving it stays in range.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "rt/dates.h"
#include "rt/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const rt::Text text(reinterpret_cast<const char*>(data), size);
    const rt::DateTime d = rt::ToDateTime(text);
    rt::CivilTime c;
    if (!rt::DateToCivil(d, &c)) std::abort();
    if (d.days != rt::kMinDateDays && rt::ToDateTime(rt::ToText(d)).days != d.days) std::abort();

    uint32_t bits = 0;
    for (size_t i = 0; i < size && i < 4; ++i) bits = bits << 8 | data[i];
    const int amount = static_cast<int>(bits);
    for (int unit = rt::kYears; unit <= rt::kSeconds; ++unit) {
        const rt::DateTime moved = rt::AddToDate(d, unit, amount);
        if (!rt::DateToCivil(moved, &c)) std::abort();
        if (rt::DateWeekday(moved) < 1 || rt::DateWeekday(moved) > 7) std::abort();
    }
    return 0;
}
