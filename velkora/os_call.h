// Calls of the program's DllCommand table with pointer, handle and integer
// arguments, whatever width the table's arguments have in this build.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <type_traits>

#include "rt/dllcommand.h"
#include "rt/fatal.h"

namespace velkora {

namespace os_call_detail {
template <typename R, typename L>
L ArgList(R (*)(int, L));
using DllArg = typename decltype(ArgList(&rt::CallDllCommand))::value_type;

inline DllArg Wide(uintptr_t v) {
    // The 64-bit test twin keeps its stack and heap below 4 GB under Wine, so
    // its pointers fit 32-bit table arguments; one that does not is reported
    // rather than cut.
    if (v > std::numeric_limits<DllArg>::max())
        rt::RaiseFatal(0, "DLL命令的参数超出32位");
    return static_cast<DllArg>(v);
}
template <typename T>
DllArg Arg(T* p) { return Wide(reinterpret_cast<uintptr_t>(p)); }
inline DllArg Arg(std::nullptr_t) { return 0; }
template <typename T, typename = std::enable_if_t<std::is_integral_v<T>>>
DllArg Arg(T v) { return static_cast<DllArg>(v); }  // integers keep their low bits
}  // namespace os_call_detail

template <typename... Args>
uintptr_t CallOs(int entry, Args... args) {
    return rt::CallDllCommand(entry, {os_call_detail::Arg(args)...});
}

}  // namespace velkora
