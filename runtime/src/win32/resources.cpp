// RCDATA resources of the layer's own file.
#include "rt/resources.h"

#include <windows.h>

#include "rt/program.h"

namespace rt {

ByteSet ResourceBytes(int id) {
    HMODULE module = LayerInstance();
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), RT_RCDATA);
    if (!found) return ByteSet();
    // A loaded resource lives as long as its module and is never freed.
    HGLOBAL loaded = ::LoadResource(module, found);
    const auto* bytes = static_cast<const unsigned char*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!bytes) return ByteSet();
    return ByteSet(bytes, bytes + ::SizeofResource(module, found));
}

}  // namespace rt
