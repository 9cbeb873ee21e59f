// The time request's calls, recorded by a stand-in for the WinHttp request
// object: Wine's own object drops the timeouts and the redirect switch when
// they come before open, so their values and order cannot be seen end to end.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "rt/clock.h"
#include "rt/com.h"
#include "time_request.h"

namespace {

// One call that the object accepted, its arguments in the caller's order,
// each as its variant type and value ("I4 5000", "BSTR HEAD", "BOOL 0").
struct Call {
    std::wstring member;
    WORD kind = 0;
    std::vector<std::wstring> args;
    uint32_t enteredAt = 0, leftAt = 0;  // tick counts
};

std::wstring Describe(const VARIANT& v) {
    switch (v.vt) {
    case VT_I4: return L"I4 " + std::to_wstring(v.lVal);
    case VT_BOOL: return L"BOOL " + std::to_wstring(v.boolVal == VARIANT_FALSE ? 0 : 1);
    case VT_BSTR: return L"BSTR " + std::wstring(v.bstrVal, SysStringLen(v.bstrVal));
    default: return L"VT " + std::to_wstring(v.vt);
    }
}

// Answers as the WinHttp object does: its members are methods except the
// indexed property Option, which takes writes only. A header that is not
// there raises an error from GetResponseHeader.
class RecordingRequest : public IDispatch {
public:
    // dateBstr: the "Date" header as the object's BSTR holds it; none: absent.
    explicit RecordingRequest(std::wstring dateBstr, bool hasDate = true)
        : date_(std::move(dateBstr)), hasDate_(hasDate) {}

    std::vector<Call> calls;
    LONG references = 1;  // the one that the request variable takes over

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid != IID_IUnknown && iid != IID_IDispatch) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }  // lives on the stack

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        for (UINT i = 0; i < count; ++i) {
            names_.emplace_back(names[i]);
            ids[i] = static_cast<DISPID>(names_.size());
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        if (id < 1 || static_cast<size_t>(id) > names_.size()) return DISP_E_MEMBERNOTFOUND;
        Call call;
        call.member = names_[static_cast<size_t>(id) - 1];
        call.kind = kind;
        call.enteredAt = rt::TickCount();
        const bool isProperty = call.member == L"Option";
        if (isProperty ? kind != DISPATCH_PROPERTYPUT : !(kind & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
        if (isProperty && (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
            return DISP_E_PARAMNOTOPTIONAL;
        for (UINT i = params->cArgs; i > 0; --i) call.args.push_back(Describe(params->rgvarg[i - 1]));
        // Time passes in open and send, so that the tick taken between them
        // can be told from one taken before or after.
        if (call.member == L"open" || call.member == L"send") Sleep(50);
        call.leftAt = rt::TickCount();
        calls.push_back(call);
        if (call.member == L"GetResponseHeader") {
            if (!hasDate_) return DISP_E_EXCEPTION;
            if (result) {
                VariantClear(result);
                result->vt = VT_BSTR;
                result->bstrVal = SysAllocStringLen(date_.data(), static_cast<UINT>(date_.size()));
            }
        }
        return S_OK;
    }

private:
    std::vector<std::wstring> names_;
    std::wstring date_;
    bool hasDate_;
};

const wchar_t kDate[] = L"Tue, 08 Dec 2026 08:00:00 GMT";

// Runs the request on the stand-in, which the request variable releases.
rt::Text Request(RecordingRequest& object, uint32_t* sentAt) {
    rt::ComObject request(&object);
    return velkora::RequestServerDate(request, "http://127.0.0.1:18123", sentAt);
}

TEST(TimeRequest, SetsTimeoutsAndNoRedirectsBeforeOpeningAHeadThenSendsAndReadsTheDate) {
    RecordingRequest object(kDate);
    uint32_t sentAt = 0;
    EXPECT_EQ(Request(object, &sentAt), "Tue, 08 Dec 2026 08:00:00 GMT");
    EXPECT_EQ(object.references, 0);

    struct Expected {
        const wchar_t* member;
        WORD kind;
        std::vector<std::wstring> args;
    };
    const Expected expected[] = {
        {L"SetTimeouts", DISPATCH_METHOD, {L"I4 5000", L"I4 5000", L"I4 10000", L"I4 5000"}},
        {L"Option", DISPATCH_PROPERTYPUT, {L"I4 6", L"I4 0"}},
        {L"open", DISPATCH_METHOD, {L"BSTR HEAD", L"BSTR http://127.0.0.1:18123/123.123", L"BOOL 0"}},
        {L"send", DISPATCH_METHOD, {}},
        {L"GetResponseHeader", DISPATCH_METHOD, {L"BSTR Date"}},
    };
    ASSERT_EQ(object.calls.size(), std::size(expected));
    for (size_t i = 0; i < object.calls.size(); ++i) {
        const Call& call = object.calls[i];
        EXPECT_EQ(call.member, expected[i].member) << i;
        EXPECT_TRUE(call.kind & expected[i].kind) << i << ": kind " << call.kind;
        EXPECT_EQ(call.args, expected[i].args) << i;
    }
    // The round trip is timed from after open to before send.
    EXPECT_GE(sentAt, object.calls[2].leftAt);
    EXPECT_LE(sentAt, object.calls[3].enteredAt);
}

TEST(TimeRequest, AHeaderEndsAtItsTerminatorAndAMissingOneReadsEmpty) {
    // Wine's object counts the terminator into the header's BSTR length.
    RecordingRequest withTerminator(std::wstring(kDate) + L'\0');
    uint32_t sentAt = 0;
    const rt::Text date = Request(withTerminator, &sentAt);
    EXPECT_EQ(date, "Tue, 08 Dec 2026 08:00:00 GMT");
    EXPECT_EQ(date.size(), 29u);

    RecordingRequest without(L"", false);
    EXPECT_EQ(Request(without, &sentAt), "");
    EXPECT_EQ(without.calls.back().member, L"GetResponseHeader");
}

}  // namespace
