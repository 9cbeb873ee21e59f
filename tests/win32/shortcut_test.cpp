// Shell links written by CreateShortcut and read back through IShellLinkA.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "rt/files.h"
#include "rt/handles.h"
#include "rt/shell.h"
#include "test_support.h"

namespace {

using win32test::FileExists;
using win32test::ScratchDir;

struct LinkFields {
    bool loaded = false;
    std::string path, arguments, description, workingDirectory;
};

LinkFields ReadLink(const std::string& file) {
    LinkFields f;
    rt::ScopedCom<IShellLinkA> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(link.Put()))))
        return f;
    rt::ScopedCom<IPersistFile> persist;
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(persist.Put()));
    wchar_t wide[MAX_PATH] = {};
    ::MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    if (!persist || FAILED(persist->Load(wide, STGM_READ))) return f;
    f.loaded = true;
    char buf[1024] = {};
    link->GetPath(buf, sizeof(buf), nullptr, SLGP_RAWPATH);
    f.path = buf;
    buf[0] = 0;
    link->GetArguments(buf, sizeof(buf));
    f.arguments = buf;
    buf[0] = 0;
    link->GetDescription(buf, sizeof(buf));
    f.description = buf;
    buf[0] = 0;
    link->GetWorkingDirectory(buf, sizeof(buf));
    f.workingDirectory = buf;
    return f;
}

// The show command as saved in the link header (offset 0x3C). Loading a link
// reads every value but 1, 3 and 7 back as 1, so only the file shows the 5.
unsigned SavedShowCommand(const std::string& file) {
    const std::string raw = win32test::ReadFileBytes(file);
    if (raw.size() < 0x40) return 0;
    unsigned value = 0;
    for (int i = 3; i >= 0; --i) value = value * 256 + static_cast<unsigned char>(raw[0x3C + i]);
    return value;
}

TEST(CreateShortcut, WritesTargetArgumentsDescriptionAndShowCommandFive) {
    ScratchDir dir;
    const std::string target = dir.File("Velkora.exe");
    ASSERT_TRUE(rt::WriteWholeFile(target, {rt::ByteSet{'M', 'Z'}}));
    ASSERT_TRUE(rt::CreateShortcut(dir.File("Velkora-迷你时钟"), target, rt::Text("迷你时钟"),
                                   rt::Text("-clock"), dir.Path()));
    const std::string link = dir.File("Velkora-迷你时钟.lnk");
    ASSERT_TRUE(FileExists(link));
    const LinkFields f = ReadLink(link);
    ASSERT_TRUE(f.loaded);
    EXPECT_STREQ(target.c_str(), f.path.c_str());
    EXPECT_EQ("-clock", f.arguments);
    EXPECT_EQ("迷你时钟", f.description);
    EXPECT_EQ(dir.Path(), f.workingDirectory);
    EXPECT_EQ(5u, SavedShowCommand(link));
}

TEST(CreateShortcut, KeepsANameWithADotAndReplacesAnExistingFile) {
    ScratchDir dir;
    const std::string target = dir.File("Velkora.exe");
    ASSERT_TRUE(rt::WriteWholeFile(target, {rt::ByteSet{'M', 'Z'}}));
    const std::string link = dir.File("Velkora.lnk");
    ASSERT_TRUE(rt::WriteWholeFile(link, {rt::ByteSet{'j', 'u', 'n', 'k'}}));
    ASSERT_TRUE(rt::CreateShortcut(link, target));
    EXPECT_FALSE(FileExists(link + ".lnk"));
    const LinkFields f = ReadLink(link);
    ASSERT_TRUE(f.loaded);
    EXPECT_EQ(target, f.path);
    EXPECT_EQ("", f.arguments);
    EXPECT_EQ(5u, SavedShowCommand(link));
}

TEST(CreateShortcut, FailsWhenTheFolderDoesNotExist) {
    ScratchDir dir;
    EXPECT_FALSE(rt::CreateShortcut(dir.File("missing\\Velkora"), dir.File("Velkora.exe")));
}

}  // namespace
