// The request to the time server on one WinHttp request object, apart from
// the clock change so that the tests can run it on a stand-in object.
#pragma once

#include <cstdint>

#include "rt/com.h"
#include "rt/values.h"

namespace velkora {

// Sends a HEAD request for url + "/123.123" on the request object, without
// following redirects, and returns the answer's "Date" header ("" when none
// came back). *sentAt is the tick count taken just before the send.
rt::Text RequestServerDate(rt::ComObject& request, const rt::Text& url, uint32_t* sentAt);

}  // namespace velkora
