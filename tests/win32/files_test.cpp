// Program paths, whole files, copies and deletes, special folders.
#include <gtest/gtest.h>

#include <string>

#include "rt/files.h"
#include "rt/shell.h"
#include "test_support.h"

namespace {

using win32test::FileExists;
using win32test::ReadFileBytes;
using win32test::ScratchDir;

rt::ByteSet Bytes(const std::string& s) { return rt::ByteSet(s.begin(), s.end()); }

TEST(ProgramPaths, NameDirectoryAndCurrentDirectory) {
    EXPECT_EQ("win32_tests.exe", rt::ProgramFileName());
    const rt::Text dir = rt::ProgramDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_NE('\\', dir.back());
    EXPECT_TRUE(FileExists(dir + "\\" + rt::ProgramFileName()));

    char cwd[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, cwd);
    EXPECT_EQ(std::string(cwd), rt::CurrentDirectory());
    ScratchDir scratch;
    ASSERT_TRUE(::SetCurrentDirectoryA(scratch.Path().c_str()));
    EXPECT_EQ(scratch.Path(), rt::CurrentDirectory());
    ::SetCurrentDirectoryA(cwd);
}

TEST(WriteWholeFile, WritesEachNonEmptySetInOrderAndTruncates) {
    ScratchDir dir;
    const std::string file = dir.File("out.bin");
    ASSERT_TRUE(rt::WriteWholeFile(file, {Bytes("first, much longer content")}));
    ASSERT_TRUE(rt::WriteWholeFile(file, {Bytes("ab"), rt::ByteSet{}, rt::ByteSet{0, 0xFF}, Bytes("c")}));
    EXPECT_EQ(std::string("ab\0\xFF" "c", 5), ReadFileBytes(file));
    ASSERT_TRUE(rt::WriteWholeFile(file, {}));
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ("", ReadFileBytes(file));
}

TEST(WriteWholeFile, FailsForEmptyPathMissingFolderAndAFileOpenElsewhere) {
    ScratchDir dir;
    EXPECT_FALSE(rt::WriteWholeFile("", {Bytes("x")}));
    EXPECT_FALSE(rt::WriteWholeFile(dir.File("no\\such\\dir.bin"), {Bytes("x")}));
    const std::string file = dir.File("busy.bin");
    HANDLE other = ::CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    EXPECT_FALSE(rt::WriteWholeFile(file, {Bytes("x")}));
    ::CloseHandle(other);
}

TEST(WriteWholeFile, RelativePathsAreTakenFromTheCurrentDirectory) {
    ScratchDir dir;
    char cwd[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, cwd);
    ASSERT_TRUE(::SetCurrentDirectoryA(dir.Path().c_str()));
    EXPECT_TRUE(rt::WriteWholeFile("rel.txt", {Bytes("r")}));
    ::SetCurrentDirectoryA(cwd);
    EXPECT_EQ("r", ReadFileBytes(dir.File("rel.txt")));
}

TEST(CopyAndDelete, CopyOverwritesAndDeleteOfAMissingFileIsFalse) {
    ScratchDir dir;
    const std::string source = dir.File("迷你时钟.dll");
    const std::string target = dir.File("target.dll");
    ASSERT_TRUE(rt::WriteWholeFile(source, {Bytes("new")}));
    ASSERT_TRUE(rt::WriteWholeFile(target, {Bytes("old and longer")}));
    EXPECT_TRUE(rt::CopyFileTo(source, target));
    EXPECT_EQ("new", ReadFileBytes(target));
    EXPECT_FALSE(rt::CopyFileTo(dir.File("absent"), target));
    EXPECT_TRUE(rt::DeleteFileAt(target));
    EXPECT_FALSE(FileExists(target));
    EXPECT_FALSE(rt::DeleteFileAt(target));
}

TEST(SpecialFolderPath, EndsInBackslashAndUnknownCodesAreEmpty) {
    for (int code : {3, 7, 8, 9, 10, 11}) {
        const rt::Text path = rt::SpecialFolderPath(code);
        ASSERT_FALSE(path.empty()) << code;
        EXPECT_EQ('\\', path.back()) << code;
        EXPECT_NE('\\', path[path.size() - 2]) << code;
    }
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(std::string(windows) + "\\", rt::SpecialFolderPath(9));
    EXPECT_EQ("", rt::SpecialFolderPath(0));
    EXPECT_EQ("", rt::SpecialFolderPath(12));
}

}  // namespace
