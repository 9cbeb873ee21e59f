#include "time_request.h"

#include "rt/clock.h"

namespace velkora {

namespace {

constexpr int kWinHttpOptionEnableRedirects = 6;

}  // namespace

rt::Text RequestServerDate(rt::ComObject& request, const rt::Text& url, uint32_t* sentAt) {
    // Name resolution, connect, send, receive. Windows keeps these and the
    // redirect switch across open; Wine's object drops them there.
    rt::ComCall(request, "SetTimeouts", {5000, 5000, 10000, 5000});
    rt::ComPut(request, "Option", {kWinHttpOptionEnableRedirects, 0});
    rt::ComCall(request, "open", {rt::Text("HEAD"), url + "/123.123", false});
    *sentAt = rt::TickCount();
    rt::ComCall(request, "send");

    rt::Variant value = rt::ComGetVariant(request, "GetResponseHeader", {rt::Text("Date")});
    const rt::Text header = rt::VariantToText(value);
    rt::ClearVariant(value);
    return header;
}

}  // namespace velkora
