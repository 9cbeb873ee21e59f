// Replacing a file whole, and clearing what an interrupted replace left.
#include <windows.h>

#include <cctype>
#include <cstring>

#include "rt/files.h"
#include "rt/handles.h"
#include "rt/program.h"

namespace rt {

namespace {

// Names that stay on disk when a replace is cut short: the clean-up finds
// them by this shape, those of an older build's runs included.
const char kReplacePrefix[] = "vku";
const char kReplaceSuffix[] = ".tmp";

bool IsReplaceFileName(const char* name) {
    const size_t length = std::strlen(name), maxDigits = 4;
    const size_t prefix = sizeof kReplacePrefix - 1, suffix = sizeof kReplaceSuffix - 1;
    if (length <= prefix + suffix || length > prefix + maxDigits + suffix) return false;
    if (_strnicmp(name, kReplacePrefix, prefix) != 0 || _stricmp(name + length - suffix, kReplaceSuffix) != 0)
        return false;
    for (size_t i = prefix; i < length - suffix; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(name[i]))) return false;
    return true;
}

bool FileExists(const Text& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

bool ReplaceFileWhole(const Text& target, const std::function<bool(const Text& temporary)>& fill,
                      BusyRetry retry) {
    char full[MAX_PATH] = {};
    char* name = nullptr;
    const DWORD n = ::GetFullPathNameA(target.c_str(), MAX_PATH, full, &name);
    if (n == 0 || n >= MAX_PATH || name == nullptr || IsEnding()) return false;
    const Text directory(full, name);
    char temporary[MAX_PATH] = {};
    if (::GetTempFileNameA(directory.c_str(), kReplacePrefix, 0, temporary) == 0) return false;
    auto move = [&] {
        return !IsEnding() &&
               ::MoveFileExA(temporary, full, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    };
    const bool replaced = fill(temporary) && RetryWhileBusy(move, retry);
    if (!replaced) ::DeleteFileA(temporary);
    return replaced;
}

bool DeleteFileWhenFree(const Text& path, BusyRetry retry) {
    return RetryWhileBusy([&] { return DeleteFileAt(path) || !FileExists(path); }, retry);
}

void RemoveLeftoverReplaceFiles(const Text& directory) {
    const Text pattern = directory + "\\" + kReplacePrefix + "*" + kReplaceSuffix;
    WIN32_FIND_DATAA found;
    const ScopedFind search(::FindFirstFileA(pattern.c_str(), &found));
    if (!search) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsReplaceFileName(found.cFileName))
            DeleteFileAt(directory + "\\" + found.cFileName);
    } while (::FindNextFileA(search.Get(), &found));
}

}  // namespace rt
