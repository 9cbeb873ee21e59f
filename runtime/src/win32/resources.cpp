// RCDATA resources of the layer's own file, and the program's icon.
#include "rt/resources.h"

#include <windows.h>

#include "window_internal.h"

namespace rt {

ByteSet ResourceBytes(int id) {
    HMODULE module = detail::Instance();
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), RT_RCDATA);
    if (!found) return ByteSet();
    // A loaded resource lives as long as its module and is never freed.
    HGLOBAL loaded = ::LoadResource(module, found);
    const auto* bytes = static_cast<const unsigned char*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!bytes) return ByteSet();
    return ByteSet(bytes, bytes + ::SizeofResource(module, found));
}

namespace detail {

namespace {

// The name of the first icon group, which is also the one the shell shows
// for the file: a number, or a text kept in `text`.
struct IconGroupName {
    bool found = false;
    ULONG_PTR number = 0;
    Text text;
    LPCSTR Name() const { return text.empty() ? MAKEINTRESOURCEA(number) : text.c_str(); }
};

BOOL CALLBACK TakeFirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
    auto* first = reinterpret_cast<IconGroupName*>(param);
    first->found = true;
    if (IS_INTRESOURCE(name)) {
        first->number = reinterpret_cast<ULONG_PTR>(name);
    } else {
        first->text = name;
    }
    return FALSE;  // the first is enough
}

}  // namespace

HICON LoadProgramIcon(int size) {
    // The process's program file, also for a plug-in's windows: they run
    // inside the program and show its icon.
    HMODULE program = ::GetModuleHandleA(nullptr);
    static const IconGroupName group = [program] {
        IconGroupName first;
        ::EnumResourceNamesA(program, RT_GROUP_ICON, TakeFirstName,
                             reinterpret_cast<LONG_PTR>(&first));
        return first;
    }();
    if (!group.found) return nullptr;
    return static_cast<HICON>(::LoadImageA(program, group.Name(), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace detail
}  // namespace rt
