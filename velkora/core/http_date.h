// Reading the time server's "Date" header.
#pragma once

#include "rt/values.h"

namespace velkora {

// Reads an RFC 1123 date ("Fri, 08 Nov 2013 12:34:56 GMT") as local time,
// without any zone shift. Returns 1 with the date, or 0 with date := now.
// A header that passes the field checks but names no real date or time
// (31 Nov, 24:00:00, year "2013x") is rejected too: taking the conversion's
// failure value 0100-01-01 for a date would only make the clock write fail.
int ParseHttpDate(const rt::Text& text, rt::DateTime& date, rt::DateTime now);

}  // namespace velkora
