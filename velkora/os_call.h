// Calls of the program's DllCommand table with pointers, handles and
// integers as they come, each handed on as one machine-word argument.
#pragma once

#include <cstdint>
#include <type_traits>

#include "rt/dllcommand.h"

namespace velkora {

namespace os_call_detail {
template <typename T>
uintptr_t Arg(T* p) { return reinterpret_cast<uintptr_t>(p); }
inline uintptr_t Arg(std::nullptr_t) { return 0; }
template <typename T, typename = std::enable_if_t<std::is_integral_v<T>>>
uintptr_t Arg(T v) { return static_cast<uintptr_t>(v); }  // negative values keep their low bits
}  // namespace os_call_detail

template <typename... Args>
uintptr_t CallOs(int entry, Args... args) {
    return rt::CallDllCommand(entry, {os_call_detail::Arg(args)...});
}

}  // namespace velkora
