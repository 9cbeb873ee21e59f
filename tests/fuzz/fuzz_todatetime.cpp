// Any text either fails to the minimum date or reads as a date in range
// whose own text reads back as the same date; moving it stays in range.
#include <cstdint>
#include <cmath>
#include <cstdlib>
#include <cstring>
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

    // The first eight bytes as a serial date: any one in range reads as a
    // civil time that converts back to within half a second of it.
    if (size >= 8) {
        double serial = 0.0;
        std::memcpy(&serial, data, sizeof serial);
        rt::CivilTime civil;
        if (rt::DateToCivil(rt::DateTime{serial}, &civil)) {
            rt::DateTime back;
            if (!rt::CivilToDate(civil, &back)) std::abort();
            rt::CivilTime again;
            if (!rt::DateToCivil(back, &again) || again.second != civil.second ||
                again.day != civil.day || again.year != civil.year) {
                std::abort();
            }
            // The same instant on a straight line: serial days before 0 run
            // their fraction backwards.
            auto line = [](double v) {
                const double day = std::trunc(v);
                return day * 86400.0 + std::fabs(v - day) * 86400.0;
            };
            if (std::fabs(line(back.days) - line(serial)) > 0.5 + 1e-3) std::abort();
        }
    }
    return 0;
}
