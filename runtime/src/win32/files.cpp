// The current directory and whole-file operations.
#include <windows.h>

#include <algorithm>

#include "rt/files.h"
#include "rt/handles.h"

namespace rt {

Text CurrentDirectory() {
    char buf[MAX_PATH + 1] = {};
    const DWORD n = ::GetCurrentDirectoryA(MAX_PATH, buf);
    if (n == 0 || n >= MAX_PATH) return Text();  // failed, or longer than 260 bytes
    return Text(buf, n);
}

bool CopyFileTo(const Text& source, const Text& target) {
    return ::CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE;
}

bool DeleteFileAt(const Text& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

bool WriteWholeFile(const Text& path, std::initializer_list<ByteSet> parts) {
    if (path.empty()) return false;
    ScopedFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    for (const ByteSet& part : parts) {
        size_t done = 0;
        while (done < part.size()) {
            const DWORD want = static_cast<DWORD>(
                std::min<size_t>(part.size() - done, 1u << 30));
            DWORD wrote = 0;
            if (!::WriteFile(file.Get(), part.data() + done, want, &wrote, nullptr) || wrote == 0)
                return false;
            done += wrote;
        }
    }
    return true;
}

}  // namespace rt
