// One registry value by root code and "key\value" path.
#pragma once

#include <variant>

#include "rt/values.h"

namespace rt {

// Root codes: 1 HKCR, 2 HKCC, 3 HKCU, 4 HKLM, 5 HKU, any other HKCU.
// The path is split at its last "\": key and value name; no "\" names a
// value of the root key itself.
bool RegistryValueExists(int root, const Text& path);

// int32 -> REG_DWORD, Text -> REG_SZ (NUL counted), ByteSet -> REG_BINARY.
// Opens the key for writing or, when that fails, creates it.
using RegistryValue = std::variant<int32_t, Text, ByteSet>;
bool RegistryWrite(int root, const Text& path, const RegistryValue& value);

}  // namespace rt
