// COM automation by member name.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <variant>
#include <vector>

#include "rt/handles.h"
#include "rt/values.h"

namespace rt {

// An automation object variable; releases its object when it goes.
using ComObject = ScopedCom<IDispatch>;

// A variant owned by the caller.
class Variant {
public:
    Variant();
    ~Variant();
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& o) noexcept;
    Variant& operator=(Variant&& o) noexcept;
    VARIANT* Get() { return &v_; }
    const VARIANT* Get() const { return &v_; }
private:
    VARIANT v_;
};

// Arguments: 32-bit integers, texts (as BSTR), booleans.
using ComArg = std::variant<int32_t, Text, bool>;

bool ComCreate(ComObject& object, const Text& progIdOrClsid);
void ComCall(ComObject& object, const Text& member, const std::vector<ComArg>& args = {});
bool ComPut(ComObject& object, const Text& property, const std::vector<ComArg>& indexesThenValue);
Variant ComGetVariant(ComObject& object, const Text& member, const std::vector<ComArg>& args = {});
Text VariantToText(const Variant& v);  // empty variant: ""
void ClearVariant(Variant& v);
void ComRelease(ComObject& object);  // a second release does nothing

}  // namespace rt
