// Shared helpers of the Win32 service tests: a scratch directory inside the
// private prefix's temp folder, and whole-file reads.
#pragma once

#include <windows.h>

#include <string>

namespace win32test {

// A fresh directory under %TEMP%, removed with its files at the end.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);  // "" when missing
bool FileExists(const std::string& path);

}  // namespace win32test
