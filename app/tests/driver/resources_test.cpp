// The executable's resources as Windows reads them: the manifest that keeps
// writes out of the per-user virtual store, the version, the icon.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "app/tests/driver/tool.h"

namespace {

class Resources : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryExA(driver::tool_path().c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module, nullptr);
    }
    void TearDown() override { FreeLibrary(module); }
    HMODULE module = nullptr;
};

TEST_F(Resources, ManifestRunsAsInvokerOnEverySupportedSystem) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const std::string manifest(bytes, SizeofResource(module, found));
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    for (const char* os : {"35138b9a", "4a2f28e3", "1f676c76", "8e0f7a12"})
        EXPECT_NE(manifest.find(os), std::string::npos) << os;
}

TEST_F(Resources, IconInEverySize) {
    for (int size : {16, 32, 48, 256}) {  // 256: stored as PNG
        HICON icon = static_cast<HICON>(
            LoadImageA(module, MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, 0));
        EXPECT_NE(icon, nullptr) << size;
        if (icon != nullptr) DestroyIcon(icon);
    }
}

// A build with stand-in packs must not pass for one a player may have.
#ifdef STAND_IN_PACKS
constexpr char kDescription[] = "皮肤包安装工具（测试版：内含测试用替身皮肤包，不可发给玩家）";
#else
constexpr char kDescription[] = "皮肤包安装工具";
#endif

TEST(Version, DescribesTheProgramAndItsKindOfBuild) {
    const std::string path = driver::tool_path();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
    char* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\080404B0\\FileDescription",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(text, kDescription);
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

}  // namespace
