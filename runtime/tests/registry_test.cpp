#include "runtime/registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char kTestKey[] = "Software\\SkinPackToolTest";

// Writes the test's values under HKCU and HKLM of the test prefix and removes
// them again.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            RegDeleteTreeA(root, kTestKey);
            ASSERT_EQ(RegCreateKeyExA(root, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &keys_[root == HKEY_LOCAL_MACHINE], nullptr), ERROR_SUCCESS);
        }
        set(HKEY_LOCAL_MACHINE, "InstallPath", REG_SZ, std::string("D:\\英雄联盟\0", 11 + 1));
        set(HKEY_CURRENT_USER, "InstallPath", REG_SZ, std::string("C:\\hkcu\0", 8));
    }
    void TearDown() override {
        for (HKEY& key : keys_) RegCloseKey(key);
        RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestKey);
    }
    void set(HKEY root, const char* name, DWORD type, const std::string& data) {
        ASSERT_EQ(RegSetValueExA(keys_[root == HKEY_LOCAL_MACHINE], name, 0, type,
                                 reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    }
    static std::string path(const char* name) { return std::string(kTestKey) + "\\" + name; }

    HKEY keys_[2] = {};
};

TEST_F(RegistryTest, RootNumbers) {
    struct Case { int root; std::string expected; };
    const Case cases[] = {
        {4, "D:\\英雄联盟"}, {3, "C:\\hkcu"}, {0, "C:\\hkcu"}, {6, "C:\\hkcu"}, {-1, "C:\\hkcu"},
        {1, "default"}, {2, "default"}, {5, "default"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(runtime::read_registry_text(c.root, path("InstallPath"), "default"), c.expected) << c.root;
}

TEST_F(RegistryTest, TypesAndMissingValues) {
    const DWORD number = 7;
    set(HKEY_CURRENT_USER, "Number", REG_DWORD, std::string(reinterpret_cast<const char*>(&number), 4));
    SetEnvironmentVariableA("SKIN_TEST_FOLDER", "展开");
    set(HKEY_CURRENT_USER, "Expand", REG_EXPAND_SZ, std::string("%SKIN_TEST_FOLDER%\\x\0", 21));
    set(HKEY_CURRENT_USER, "Empty", REG_SZ, std::string(1, '\0'));

    EXPECT_EQ(runtime::read_registry_text(3, path("Number"), "default"), "default");
    EXPECT_EQ(runtime::read_registry_text(3, path("Number")), "");
    EXPECT_EQ(runtime::read_registry_text(3, path("Expand")), "展开\\x");
    EXPECT_EQ(runtime::read_registry_text(3, path("Empty"), "default"), "");
    EXPECT_EQ(runtime::read_registry_text(3, path("Missing"), "default"), "default");
    EXPECT_EQ(runtime::read_registry_text(3, "Software\\NoSuchKeyHere\\Value", "default"), "default");
    EXPECT_EQ(runtime::read_registry_text(3, "Software\\NoSuchKeyHere\\Value"), "");
}

TEST_F(RegistryTest, StringsWithoutZeroOrLongerThanMaxPath) {
    // Stored without its terminating zero: the value's bytes and nothing after.
    set(HKEY_CURRENT_USER, "NoZero", REG_SZ, "abc");
    EXPECT_EQ(runtime::read_registry_text(3, path("NoZero")), "abc");
    const std::string long_value(1000, 'L');
    set(HKEY_CURRENT_USER, "Long", REG_SZ, long_value + '\0');
    EXPECT_EQ(runtime::read_registry_text(3, path("Long")), long_value);
}

TEST_F(RegistryTest, SplitsAtTheLastBackslashCharacter) {
    // "乗" is 81 5C: its trail byte is no separator.
    set(HKEY_CURRENT_USER, "值\x81\x5C", REG_SZ, std::string("gbk\0", 4));
    EXPECT_EQ(runtime::read_registry_text(3, path("值\x81\x5C")), "gbk");
}

}  // namespace
