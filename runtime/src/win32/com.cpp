// COM automation by member name through IDispatch.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <ole2.h>

#include <string>
#include <utility>

#include "com_internal.h"
#include "late_bound.h"
#include "rt/com.h"
#include "rt/handles.h"
#include "wide_text.h"
#include "window_internal.h"

namespace rt {

namespace detail {

void InitOleOnUiThread() {
    static bool initialised = false;  // read and written on the UI thread only
    if (initialised || ::GetCurrentThreadId() != UiThread()) return;
    initialised = true;
    Ole32().OleInitialize(nullptr);
}

}  // namespace detail

namespace {

// VariantInit's work, without loading the automation library for it.
void EmptyVariant(VARIANT* v) {
    *v = VARIANT{};
    v->vt = VT_EMPTY;
}

}  // namespace

Variant::Variant() { EmptyVariant(&v_); }
Variant::~Variant() {
    if (v_.vt != VT_EMPTY) detail::OleAut32().VariantClear(&v_);
}

Variant::Variant(Variant&& o) noexcept {
    v_ = o.v_;  // a bitwise move: the source is left empty without clearing
    EmptyVariant(&o.v_);
}
Variant& Variant::operator=(Variant&& o) noexcept {
    if (this != &o) {
        detail::OleAut32().VariantClear(&v_);
        v_ = o.v_;
        EmptyVariant(&o.v_);
    }
    return *this;
}

namespace {

// Arguments as DISPPARAMS wants them: last argument first.
class DispatchArgs {
public:
    explicit DispatchArgs(const std::vector<ComArg>& args) : values_(args.size()) {
        for (size_t i = 0; i < args.size(); ++i) {
            VARIANT& v = values_[args.size() - 1 - i];
            EmptyVariant(&v);
            if (const auto* n = std::get_if<int32_t>(&args[i])) {
                v.vt = VT_I4;
                v.lVal = *n;
            } else if (const auto* b = std::get_if<bool>(&args[i])) {
                v.vt = VT_BOOL;
                v.boolVal = *b ? VARIANT_TRUE : VARIANT_FALSE;
            } else {
                const win32::WideText w = win32::ToWide(std::get<Text>(args[i]));
                v.vt = VT_BSTR;
                v.bstrVal = detail::OleAut32().SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
            }
        }
    }
    ~DispatchArgs() {
        for (VARIANT& v : values_) detail::OleAut32().VariantClear(&v);
    }
    DispatchArgs(const DispatchArgs&) = delete;
    DispatchArgs& operator=(const DispatchArgs&) = delete;

    // A property write names its value argument DISPID_PROPERTYPUT.
    DISPPARAMS Params(WORD kind) {
        DISPPARAMS params{};
        params.rgvarg = values_.empty() ? nullptr : values_.data();
        params.cArgs = static_cast<UINT>(values_.size());
        if ((kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) && !values_.empty()) {
            params.rgdispidNamedArgs = &putId_;
            params.cNamedArgs = 1;
        }
        return params;
    }

private:
    std::vector<VARIANT> values_;
    DISPID putId_ = DISPID_PROPERTYPUT;
};

bool FindMember(IDispatch* disp, const Text& member, DISPID* id) {
    win32::WideText wide = win32::ToWide(member);
    LPOLESTR names[] = {&wide[0]};
    if (wide.empty()) return false;
    return SUCCEEDED(disp->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, id));
}

// Tries the kinds in order. A member that ran and raised an error is not
// run again under another kind; any other refusal moves on to the next one.
bool InvokeFirst(ComObject& object, const Text& member, const std::vector<ComArg>& args,
                 std::initializer_list<WORD> kinds, VARIANT* result) {
    IDispatch* disp = object.Get();
    DISPID id = 0;
    if (!disp || !FindMember(disp, member, &id)) return false;
    DispatchArgs dispatchArgs(args);
    for (WORD kind : kinds) {
        DISPPARAMS params = dispatchArgs.Params(kind);
        EXCEPINFO exception{};
        UINT badArg = 0;
        if (result) detail::OleAut32().VariantClear(result);
        const HRESULT hr = disp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params,
                                        result, &exception, &badArg);
        const auto& automation = detail::OleAut32();
        automation.SysFreeString(exception.bstrSource);
        automation.SysFreeString(exception.bstrDescription);
        automation.SysFreeString(exception.bstrHelpFile);
        if (SUCCEEDED(hr)) return true;
        if (hr == DISP_E_EXCEPTION) return false;
    }
    if (result) detail::OleAut32().VariantClear(result);
    return false;
}

}  // namespace

bool ComCreate(ComObject& object, const Text& progIdOrClsid) {
    detail::InitOleOnUiThread();
    win32::WideText name = win32::ToWide(progIdOrClsid);
    if (name.empty()) return false;
    CLSID clsid{};
    const HRESULT found = name[0] == L'{' ? detail::Ole32().CLSIDFromString(&name[0], &clsid)
                                          : detail::Ole32().CLSIDFromProgID(name.c_str(), &clsid);
    if (FAILED(found)) return false;

    ComObject created;
    const auto& ole = detail::Ole32();
    HRESULT hr = ole.CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch,
                                      reinterpret_cast<void**>(created.Put()));
    if (hr == E_INVALIDARG)  // older systems refuse the remote kind
        hr = ole.CoCreateInstance(clsid, nullptr, CLSCTX_ALL & ~CLSCTX_REMOTE_SERVER, IID_IDispatch,
                                  reinterpret_cast<void**>(created.Put()));
    if (FAILED(hr) || !created) return false;
    ole.OleRun(created.Get());  // a local server that needs starting; in-process ones ignore it
    object = std::move(created);
    return true;
}

void ComCall(ComObject& object, const Text& member, const std::vector<ComArg>& args) {
    Variant ignored;
    InvokeFirst(object, member, args,
                {DISPATCH_METHOD, DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT,
                 DISPATCH_PROPERTYPUTREF},
                ignored.Get());
}

bool ComPut(ComObject& object, const Text& property, const std::vector<ComArg>& indexesThenValue) {
    return InvokeFirst(object, property, indexesThenValue,
                       {DISPATCH_PROPERTYPUT, DISPATCH_PROPERTYPUTREF, DISPATCH_METHOD}, nullptr);
}

Variant ComGetVariant(ComObject& object, const Text& member, const std::vector<ComArg>& args) {
    Variant result;
    InvokeFirst(object, member, args, {DISPATCH_PROPERTYGET, DISPATCH_METHOD}, result.Get());
    return result;
}

Text VariantToText(const Variant& v) {
    if (v.Get()->vt == VT_EMPTY) return Text();
    Variant text;
    const auto& automation = detail::OleAut32();
    if (FAILED(automation.VariantChangeType(text.Get(), const_cast<VARIANT*>(v.Get()), 0, VT_BSTR)) ||
        text.Get()->vt != VT_BSTR || !text.Get()->bstrVal)
        return Text();
    const BSTR wide = text.Get()->bstrVal;
    // Texts end at their first NUL. Some servers (Wine's WinHttp among them)
    // count a terminator into the BSTR's length.
    UINT length = automation.SysStringLen(wide);
    for (UINT i = 0; i < length; ++i) {
        if (wide[i] == L'\0') {
            length = i;
            break;
        }
    }
    return win32::FromWide(wide, static_cast<int>(length));
}

void ClearVariant(Variant& v) { detail::OleAut32().VariantClear(v.Get()); }

void ComRelease(ComObject& object) { object.Reset(); }

}  // namespace rt
