// INI files through the private-profile routines.
#include <windows.h>

#include <algorithm>

#include "rt/files.h"

namespace rt {

namespace {

constexpr DWORD kIniBufferBytes = 10240;

// Control characters and blanks (bytes 1..32) before a name are dropped,
// as the profile routines would never match them anyway.
Text SkipLeadingControls(const Text& text) {
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) >= 1 &&
           static_cast<unsigned char>(text[i]) <= 32)
        ++i;
    return text.substr(i);
}

}  // namespace

Text IniRead(const Text& file, const Text& section, const Text& key,
             const std::optional<Text>& fallback) {
    const Text f = SkipLeadingControls(file);
    const Text s = SkipLeadingControls(section);
    const Text k = SkipLeadingControls(key);
    if (f.empty() || s.empty() || k.empty()) return Text();
    std::string buf(kIniBufferBytes, '\0');
    const Text def = fallback.value_or(Text());
    const DWORD n = ::GetPrivateProfileStringA(s.c_str(), k.c_str(), def.c_str(), &buf[0],
                                               kIniBufferBytes, f.c_str());
    buf.resize(std::min<DWORD>(n, kIniBufferBytes));
    return buf;
}

bool IniWrite(const Text& file, const Text& section, const std::optional<Text>& key,
              const std::optional<Text>& value) {
    return ::WritePrivateProfileStringA(section.c_str(), key ? key->c_str() : nullptr,
                                        (key && value) ? value->c_str() : nullptr,
                                        file.c_str()) != FALSE;
}

// The profile routines read only files, so the text goes through a temporary
// file: that gives exactly their parsing (comments, blanks, duplicate keys).
Text IniReadFromText(const Text& contents, const Text& section, const Text& key) {
    char dir[MAX_PATH + 1] = {};
    const DWORD n = ::GetTempPathA(MAX_PATH, dir);
    if (n == 0 || n >= MAX_PATH) return Text();
    char path[MAX_PATH + 1] = {};
    if (!::GetTempFileNameA(dir, "vki", 0, path)) return Text();  // creates the file
    Text result;
    if (WriteWholeFile(path, {ByteSet(contents.begin(), contents.end())}))
        result = IniRead(path, section, key);
    ::DeleteFileA(path);
    return result;
}

}  // namespace rt
