// INI files on disk through the private-profile routines.
#include <gtest/gtest.h>

#include <string>

#include "rt/files.h"
#include "test_support.h"

namespace {

using win32test::ScratchDir;

rt::ByteSet Bytes(const std::string& s) { return rt::ByteSet(s.begin(), s.end()); }

TEST(IniRead, MissingFileSectionOrKeyGiveEmptyTextOrTheDefault) {
    ScratchDir dir;
    const std::string file = dir.File("config.ini");
    EXPECT_EQ("", rt::IniRead(file, "设置", "开机启动"));
    EXPECT_EQ("假", rt::IniRead(file, "设置", "开机启动", rt::Text("假")));
    ASSERT_TRUE(rt::WriteWholeFile(file, {Bytes("[设置]\r\n开机启动=真\r\n")}));
    EXPECT_EQ("真", rt::IniRead(file, "设置", "开机启动"));
    EXPECT_EQ("", rt::IniRead(file, "位置", "顶边"));
    EXPECT_EQ("0", rt::IniRead(file, "位置", "顶边", rt::Text("0")));
    EXPECT_EQ("", rt::IniRead(file, "设置", "记录时区"));
}

TEST(IniRead, LeadingControlBytesOfNamesAreSkippedAndEmptyNamesReadNothing) {
    ScratchDir dir;
    const std::string file = dir.File("a.ini");
    ASSERT_TRUE(rt::WriteWholeFile(file, {Bytes("[s]\r\nk=v\r\n")}));
    EXPECT_EQ("v", rt::IniRead(" \t" + file, "\x01 s", "\x20\x1Fk"));
    // Nothing left after the skipping: no read, not even the default.
    EXPECT_EQ("", rt::IniRead(file, "  ", "k", rt::Text("d")));
    EXPECT_EQ("", rt::IniRead(file, "s", "", rt::Text("d")));
    EXPECT_EQ("", rt::IniRead("\t", "s", "k", rt::Text("d")));
}

TEST(IniRead, ValuesAreCutToTheTenThousandByteBuffer) {
    ScratchDir dir;
    const std::string file = dir.File("long.ini");
    const std::string longValue(12000, 'x');
    ASSERT_TRUE(rt::WriteWholeFile(file, {Bytes("[s]\r\nk=" + longValue + "\r\n")}));
    const rt::Text read = rt::IniRead(file, "s", "k");
    EXPECT_EQ(10239u, read.size());  // the buffer holds its NUL too
    EXPECT_EQ(std::string(10239, 'x'), read);
}

TEST(IniWrite, CreatesTheFileAndDeletesKeysAndSections) {
    ScratchDir dir;
    const std::string file = dir.File("new.ini");
    ASSERT_TRUE(rt::IniWrite(file, "设置", rt::Text("窗体位置"), rt::Text("真")));
    ASSERT_TRUE(rt::IniWrite(file, "位置", rt::Text("顶边"), rt::Text("120")));
    EXPECT_TRUE(win32test::FileExists(file));
    EXPECT_EQ("真", rt::IniRead(file, "设置", "窗体位置"));
    EXPECT_EQ("120", rt::IniRead(file, "位置", "顶边"));
    ASSERT_TRUE(rt::IniWrite(file, "设置", rt::Text("窗体位置")));  // no value: key goes
    EXPECT_EQ("gone", rt::IniRead(file, "设置", "窗体位置", rt::Text("gone")));
    ASSERT_TRUE(rt::IniWrite(file, "位置"));  // no key: section goes
    EXPECT_EQ("gone", rt::IniRead(file, "位置", "顶边", rt::Text("gone")));
}

struct TextCase {
    const char* name;
    std::string text;
    const char* section;
    const char* key;
};

TEST(IniReadFromText, EqualsIniReadOfAFileWithTheSameText) {
    const TextCase cases[] = {
        {"plain", "[文件版本]\r\n主程序=600001\r\n", "文件版本", "主程序"},
        {"lf only", "[文件版本]\n定时关机=600000\n迷你时钟=600002\n", "文件版本", "迷你时钟"},
        {"no section", "主程序=1\r\n", "文件版本", "主程序"},
        {"duplicate keys", "[s]\r\nk=first\r\nk=second\r\n", "s", "k"},
        {"duplicate sections", "[s]\r\na=1\r\n[s]\r\nk=later\r\n", "s", "k"},
        {"blanks around =", "[s]\r\n  k   =   v w  \r\n", "s", "k"},
        {"comment lines", "[s]\r\n;k=commented\r\nk=real\r\n", "s", "k"},
        {"commented only", "[s]\r\n;k=commented\r\n", "s", "k"},
        {"quoted", "[s]\r\nk=\"quoted\"\r\n", "s", "k"},
        {"case of names", "[S]\r\nK=upper\r\n", "s", "k"},
        {"empty text", "", "s", "k"},
        {"no line end", "[s]\r\nk=v", "s", "k"},
        {"html error page", "<html><body>404</body></html>", "文件版本", "主程序"},
    };
    ScratchDir dir;
    int n = 0;
    for (const TextCase& c : cases) {
        const std::string file = dir.File("case" + std::to_string(++n) + ".ini");
        ASSERT_TRUE(rt::WriteWholeFile(file, {Bytes(c.text)}));
        EXPECT_EQ(rt::IniRead(file, c.section, c.key), rt::IniReadFromText(c.text, c.section, c.key))
            << c.name;
    }
    // And the values themselves, so that both cannot be wrong together.
    EXPECT_EQ("600001", rt::IniReadFromText(cases[0].text, "文件版本", "主程序"));
    EXPECT_EQ("first", rt::IniReadFromText(cases[3].text, "s", "k"));
    EXPECT_EQ("v w", rt::IniReadFromText(cases[5].text, "s", "k"));
    EXPECT_EQ("real", rt::IniReadFromText(cases[6].text, "s", "k"));
    EXPECT_EQ("", rt::IniReadFromText(cases[2].text, "文件版本", "主程序"));
}

TEST(IniReadFromText, LeavesNoTemporaryFileBehind) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    auto count = [&] {
        int files = 0;
        WIN32_FIND_DATAA found;
        HANDLE h = ::FindFirstFileA((std::string(temp) + "*").c_str(), &found);
        if (h == INVALID_HANDLE_VALUE) return 0;
        do ++files; while (::FindNextFileA(h, &found));
        ::FindClose(h);
        return files;
    };
    const int before = count();
    for (int i = 0; i < 5; ++i) rt::IniReadFromText("[s]\r\nk=v\r\n", "s", "k");
    EXPECT_EQ(before, count());
}

}  // namespace
