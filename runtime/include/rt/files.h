// Program paths, files and INI files.
#pragma once

#include <initializer_list>
#include <optional>

#include "rt/values.h"

namespace rt {

// The running program file (in a plug-in: the EXE that loaded it), by a
// path that names the real file: where its own does not survive code page
// 936 (Hangul, many accented letters, emoji), the short names stand in.
Text ProgramPath();
Text ProgramDirectory();   // directory of ProgramPath, no trailing "\"
Text ProgramFileName();    // "Velkora.exe"
Text CurrentDirectory();   // at most 260 bytes; "" on failure

bool CopyFileTo(const Text& source, const Text& target);  // overwrites
bool DeleteFileAt(const Text& path);                      // missing: false

// Creates or truncates (exclusive sharing) and writes each non-empty set in
// order. Empty path: false. All sets empty: an empty file, true.
bool WriteWholeFile(const Text& path, std::initializer_list<ByteSet> parts);

// Bytes 1..32 at the start of file, section and key are skipped; when any of
// them is then empty the result is "" and no file is read; otherwise
// GetPrivateProfileStringA with a 10240-byte buffer.
Text IniRead(const Text& file, const Text& section, const Text& key,
             const std::optional<Text>& fallback = std::nullopt);

// WritePrivateProfileStringA; no value deletes the key, no key the section.
bool IniWrite(const Text& file, const Text& section,
              const std::optional<Text>& key = std::nullopt,
              const std::optional<Text>& value = std::nullopt);

// What IniRead would give for a file holding exactly `contents` (GBK).
Text IniReadFromText(const Text& contents, const Text& section, const Text& key);

}  // namespace rt
