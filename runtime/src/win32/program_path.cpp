// The program's own path. GetModuleFileNameA writes every character that the
// ANSI code page lacks as "?", which names no file: in a folder named in
// Hangul, in many accented Latin letters or with an emoji the plug-ins and
// config.ini beside the program would be out of reach. So the path is taken
// wide, and where it does not survive the code page the short names (ASCII)
// stand in for the long ones.
#include "program_path.h"

#include <windows.h>

#include <optional>

#include "gbk_path.h"
#include "rt/files.h"
#include "wide_text.h"

namespace rt {
namespace {

using win32::WideText;

struct ProgramPathForms {
    WideText wide;              // as the system names the file
    Text text;                  // GBK
    bool textNamesIt = false;   // false: the best text there is, "?" in it
};

// In a plug-in this is still the EXE that loaded it, which is what the
// callers want.
WideText ModulePath() {
    WideText buf(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(::GetModuleHandleW(nullptr), &buf[0],
                                             static_cast<DWORD>(buf.size()));
        if (n == 0) return WideText();
        if (n < buf.size()) {
            buf.resize(n);
            return buf;
        }
        if (buf.size() >= 32768) return WideText();
        buf.resize(buf.size() * 2);  // truncated: try a bigger buffer
    }
}

// "" when the volume keeps no short names for it, or the path is gone.
WideText ShortPath(const WideText& path) {
    const DWORD size = ::GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return WideText();
    WideText out(size, L'\0');
    const DWORD n = ::GetShortPathNameW(path.c_str(), &out[0], size);
    if (n == 0 || n >= size) return WideText();
    out.resize(n);
    return out;
}

ProgramPathForms ReadProgramPath() {
    const WideText wide = ModulePath();
    if (auto text = win32::FromWideExactly(wide)) return {wide, *text, true};
    const auto slash = wide.rfind(L'\\');
    if (slash != WideText::npos) {
        // The folder's short path with the file's own name keeps
        // ProgramFileName "Velkora.exe"; only a name that does not survive
        // either is shortened too.
        const auto folder = win32::FromWideExactly(ShortPath(wide.substr(0, slash)));
        const auto name = win32::FromWideExactly(wide.substr(slash + 1));
        if (folder && !folder->empty() && name) return {wide, *folder + "\\" + *name, true};
        const auto whole = win32::FromWideExactly(ShortPath(wide));
        if (whole && !whole->empty()) return {wide, *whole, true};
    }
    return {wide, win32::FromWide(wide.data(), static_cast<int>(wide.size())), false};
}

// The directory and the file name of a GBK path, split at its last "\".
Text DirectoryOf(const Text& path) {
    const auto slash = win32::LastGbkChar(path, '\\');
    return slash == Text::npos ? Text() : path.substr(0, slash);
}
Text FileNameOf(const Text& path) {
    const auto slash = win32::LastGbkChar(path, '\\');
    return slash == Text::npos ? path : path.substr(slash + 1);
}

}  // namespace

Text ProgramPath() { return ReadProgramPath().text; }

Text ProgramDirectory() { return DirectoryOf(ProgramPath()); }

Text ProgramFileName() { return FileNameOf(ProgramPath()); }

namespace win32 {

WideText ProgramDirectoryWide() {
    const ProgramPathForms forms = ReadProgramPath();
    if (forms.textNamesIt) return ToWide(DirectoryOf(forms.text));
    const auto slash = forms.wide.rfind(L'\\');
    return slash == WideText::npos ? WideText() : forms.wide.substr(0, slash);
}

}  // namespace win32
}  // namespace rt
