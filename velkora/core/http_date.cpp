#include "core/http_date.h"

#include "rt/dates.h"
#include "rt/numbers.h"
#include "rt/text.h"

namespace velkora {

namespace {

struct MonthName {
    const char* name;
    const char* text;
};

constexpr MonthName kMonths[] = {
    {"Jan", "01-"}, {"Feb", "02-"}, {"Mar", "03-"}, {"Apr", "04-"},
    {"May", "05-"}, {"Jun", "06-"}, {"Jul", "07-"}, {"Aug", "08-"},
    {"Sep", "09-"}, {"Oct", "10-"}, {"Nov", "11-"}, {"Dec", "12-"},
};

constexpr int kFirstYear = 2009;
constexpr int kLastYear = 5000;

}  // namespace

int ParseHttpDate(const rt::Text& text, rt::DateTime& date, rt::DateTime now) {
    const rt::TextArray parts = rt::SplitText(text, " ");
    date = now;
    if (parts.Count() != 6) return 0;
    if (parts.At(6) != "GMT") return 0;

    const int year = rt::ToInteger(parts.At(4));
    if (year < kFirstYear || year > kLastYear) return 0;
    rt::Text s = parts.At(4) + "-";

    const MonthName* month = nullptr;
    for (const MonthName& m : kMonths) {
        if (parts.At(3) == m.name) {
            month = &m;
            break;
        }
    }
    if (!month) return 0;
    s += month->text;

    const int day = rt::ToInteger(parts.At(2));
    if (day > 31 || day < 1) return 0;
    s += parts.At(2) + " " + parts.At(5);

    const rt::DateTime converted = rt::ToDateTime(s);
    // Every accepted year is past 0100, so the failure value is never a
    // real answer.
    if (converted.days == rt::kMinDateDays) return 0;
    date = converted;
    return 1;
}

}  // namespace velkora
