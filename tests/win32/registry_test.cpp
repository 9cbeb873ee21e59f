// The registry services against the private prefix's HKEY_CURRENT_USER.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "rt/registry.h"

namespace {

constexpr int kCurrentUser = 3;
const char kRootValue[] = "VelkoraTestRootValue";
const char kTestKey[] = "Software\\VelkoraTest";
const char kSubKey[] = "Software\\VelkoraTest\\Sub";

struct RawValue {
    DWORD type = 0;
    std::string bytes;
    bool found = false;
};

RawValue Query(HKEY root, const char* key, const char* name) {
    RawValue v;
    HKEY h = nullptr;
    if (::RegOpenKeyExA(root, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return v;
    char buf[256];
    DWORD size = sizeof(buf);
    v.found = ::RegQueryValueExA(h, name, nullptr, &v.type, reinterpret_cast<BYTE*>(buf),
                                 &size) == ERROR_SUCCESS;
    if (v.found) v.bytes.assign(buf, size);
    ::RegCloseKey(h);
    return v;
}

class RegistryTest : public ::testing::Test {
protected:
    void TearDown() override {
        HKEY h = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_WRITE, &h) == ERROR_SUCCESS) {
            ::RegDeleteValueA(h, kRootValue);
            ::RegCloseKey(h);
        }
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kSubKey);
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    }
};

TEST_F(RegistryTest, ValueOfTheRootKeyItselfIsWrittenAsStringWithItsNul) {
    EXPECT_FALSE(rt::RegistryValueExists(kCurrentUser, kRootValue));
    ASSERT_TRUE(rt::RegistryWrite(kCurrentUser, kRootValue, rt::Text("桌面快捷方式")));
    EXPECT_TRUE(rt::RegistryValueExists(kCurrentUser, kRootValue));
    const RawValue v = Query(HKEY_CURRENT_USER, "", kRootValue);
    ASSERT_TRUE(v.found);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), v.type);
    EXPECT_EQ(std::string("桌面快捷方式") + '\0', v.bytes);
}

TEST_F(RegistryTest, SubkeyIsCreatedAndIntegersAndBytesKeepTheirTypes) {
    ASSERT_TRUE(rt::RegistryWrite(kCurrentUser, "Software\\VelkoraTest\\Sub\\Count", int32_t{-2}));
    ASSERT_TRUE(rt::RegistryWrite(kCurrentUser, "Software\\VelkoraTest\\Sub\\Blob",
                                  rt::ByteSet{1, 0, 0xFE}));
    const RawValue count = Query(HKEY_CURRENT_USER, kSubKey, "Count");
    ASSERT_TRUE(count.found);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), count.type);
    EXPECT_EQ(std::string("\xFE\xFF\xFF\xFF", 4), count.bytes);
    const RawValue blob = Query(HKEY_CURRENT_USER, kSubKey, "Blob");
    ASSERT_TRUE(blob.found);
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), blob.type);
    EXPECT_EQ(std::string("\x01\x00\xFE", 3), blob.bytes);
    EXPECT_TRUE(rt::RegistryValueExists(kCurrentUser, "Software\\VelkoraTest\\Sub\\Blob"));
    // Rewriting an existing key opens it rather than failing.
    EXPECT_TRUE(rt::RegistryWrite(kCurrentUser, "Software\\VelkoraTest\\Sub\\Count", int32_t{5}));
    EXPECT_EQ(std::string("\x05\x00\x00\x00", 4), Query(HKEY_CURRENT_USER, kSubKey, "Count").bytes);
}

TEST_F(RegistryTest, MissingValuesAndKeysAreFalseAndUnknownRootsMeanCurrentUser) {
    ASSERT_TRUE(rt::RegistryWrite(kCurrentUser, "Software\\VelkoraTest\\Sub\\Here", int32_t{1}));
    EXPECT_FALSE(rt::RegistryValueExists(kCurrentUser, "Software\\VelkoraTest\\Sub\\Absent"));
    EXPECT_FALSE(rt::RegistryValueExists(kCurrentUser, "Software\\VelkoraNoSuchKey\\Here"));
    EXPECT_TRUE(rt::RegistryValueExists(99, "Software\\VelkoraTest\\Sub\\Here"));
    EXPECT_FALSE(rt::RegistryValueExists(4, "Software\\VelkoraTest\\Sub\\Here"));  // HKLM
}

}  // namespace
