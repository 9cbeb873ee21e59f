// Program paths, whole files, copies and deletes, replacing a file whole,
// special folders.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "rt/files.h"
#include "rt/handles.h"
#include "rt/shell.h"
#include "test_support.h"

namespace {

using win32test::FileExists;
using win32test::ReadFileBytes;
using win32test::ScratchDir;

rt::ByteSet Bytes(const std::string& s) { return rt::ByteSet(s.begin(), s.end()); }

int FilesIn(const ScratchDir& dir) {
    int count = 0;
    WIN32_FIND_DATAA found;
    const rt::ScopedFind search(::FindFirstFileA(dir.File("*").c_str(), &found));
    if (!search) return 0;
    do count += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    while (::FindNextFileA(search.Get(), &found));
    return count;
}

// Opened without sharing, as a program still ending holds its own file.
HANDLE HoldWithoutSharing(const std::string& path) {
    return ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

// Lets go of it a while later: well within the retries, after the first try
// has failed.
std::thread FreeSoon(HANDLE held) {
    return std::thread([held] {
        ::Sleep(300);
        ::CloseHandle(held);
    });
}

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

// The temporary file is filled beside the target; what a process ended
// during the fill would leave there is what the clean-up removes, and only
// that.
TEST(ReplaceFileWhole, MovesTheFilledFileOverTheTargetAndTheCleanUpKnowsItsName) {
    ScratchDir dir;
    const std::string target = dir.File("迷你时钟.dll");
    ASSERT_TRUE(rt::WriteWholeFile(target, {Bytes("old and longer")}));
    std::string temporary;
    EXPECT_TRUE(rt::ReplaceFileWhole(
        target, [&](const rt::Text& t) { return rt::WriteWholeFile(temporary = t, {Bytes("new")}); }, rt::kTryOnce));
    EXPECT_EQ("new", ReadFileBytes(target));
    EXPECT_EQ(1, FilesIn(dir));
    ASSERT_EQ(dir.Path(), temporary.substr(0, temporary.rfind('\\')));

    ASSERT_TRUE(rt::WriteWholeFile(temporary, {Bytes("cut")}));
    const std::string users[] = {dir.File("vku说明.tmp"), dir.File("vku12345.tmp"), dir.File("vku1.tmp.txt")};
    for (const std::string& file : users) ASSERT_TRUE(rt::WriteWholeFile(file, {Bytes("keep")}));
    rt::RemoveLeftoverReplaceFiles(dir.Path());
    EXPECT_FALSE(FileExists(temporary));
    for (const std::string& file : users) EXPECT_TRUE(FileExists(file)) << file;
}

TEST(ReplaceFileWhole, AFailedFillOrABusyTargetLeavesTheOldFileWholeAndNothingBehind) {
    ScratchDir dir;
    const std::string target = dir.File("Velkora.exe");
    ASSERT_TRUE(rt::WriteWholeFile(target, {Bytes("old")}));
    auto write = [](const rt::Text& t) { return rt::WriteWholeFile(t, {Bytes("new")}); };
    EXPECT_FALSE(rt::ReplaceFileWhole(
        target, [](const rt::Text& t) { return rt::WriteWholeFile(t, {Bytes("ne")}) && false; }, rt::kTryOnce));
    EXPECT_FALSE(rt::ReplaceFileWhole(dir.File("no\\such\\dir.exe"), write, rt::kTryOnce));
    HANDLE held = HoldWithoutSharing(target);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(rt::ReplaceFileWhole(target, write, rt::kTryOnce));
    EXPECT_FALSE(rt::ReplaceFileWhole(target, write, rt::BusyRetry{3, 10}));
    ::CloseHandle(held);
    EXPECT_EQ("old", ReadFileBytes(target));
    EXPECT_EQ(1, FilesIn(dir));
}

TEST(ReplaceFileWhole, ABusyTargetIsReplacedOnceItIsFreedAndDeletedLikewise) {
    ScratchDir dir;
    const std::string target = dir.File("Velkora.exe");
    ASSERT_TRUE(rt::WriteWholeFile(target, {Bytes("old")}));
    HANDLE held = HoldWithoutSharing(target);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::thread releaser;
    auto fillThenFree = [&](const rt::Text& t) {
        releaser = FreeSoon(held);
        return rt::WriteWholeFile(t, {Bytes("new")});
    };
    EXPECT_TRUE(rt::ReplaceFileWhole(target, fillThenFree, rt::kRetryAboutFiveSeconds));
    releaser.join();
    EXPECT_EQ("new", ReadFileBytes(target));
    EXPECT_EQ(1, FilesIn(dir));

    held = HoldWithoutSharing(target);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(rt::DeleteFileWhenFree(target, rt::BusyRetry{3, 10}));
    EXPECT_TRUE(FileExists(target));
    releaser = FreeSoon(held);
    EXPECT_TRUE(rt::DeleteFileWhenFree(target));
    releaser.join();
    EXPECT_FALSE(FileExists(target));
    EXPECT_TRUE(rt::DeleteFileWhenFree(target)) << "a file that is gone is free";
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
