#include "runtime/files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "runtime/file_io.h"
#include "win32/unique_handle.h"
#include "tests/support/temp_directory.h"

namespace {

runtime::ByteSet bytes_of(const std::string& text) {
    return {reinterpret_cast<const unsigned char*>(text.data()), static_cast<std::uint32_t>(text.size())};
}

// Wine reports the archive bit on every file, and a file with none of the
// others reads as "normal" on Windows but not on Wine.
DWORD attributes_without_archive(const std::string& path) {
    return GetFileAttributesA(path.c_str()) & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL);
}

class FilesTest : public ::testing::Test {
protected:
    test_support::TempDirectory temp;
};

TEST_F(FilesTest, WriteReplacesTheWholeFileAndSkipsEmptyByteSets) {
    ASSERT_TRUE(temp.write("英雄.zip", std::string(1000, 'o')));
    const std::string first = "first", second = "second";
    EXPECT_TRUE(runtime::write_file(temp.path_of("英雄.zip"), {bytes_of(first), {}, bytes_of(second)}));
    EXPECT_EQ(temp.read("英雄.zip"), "firstsecond");
}

TEST_F(FilesTest, WriteAcrossChunkBoundaries) {
    // Larger than two 4 MB chunks and not a multiple of one.
    std::string big(9u << 20, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 4096);
    EXPECT_TRUE(runtime::write_file(temp.path_of("big.zip"), {bytes_of(big)}));
    EXPECT_TRUE(temp.read("big.zip") == big);
}

TEST_F(FilesTest, WriteWithOnlyAPathCreatesAnEmptyFile) {
    EXPECT_TRUE(runtime::write_file(temp.path_of("empty"), {}));
    EXPECT_EQ(temp.read("empty"), "");
}

TEST_F(FilesTest, WriteRefusals) {
    const std::string data = "new";
    ASSERT_TRUE(temp.write("hidden.txt", "old"));
    ASSERT_TRUE(SetFileAttributesA(temp.path_of("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(runtime::write_file(temp.path_of("hidden.txt"), {bytes_of(data)}));
    EXPECT_EQ(temp.read("hidden.txt"), "old");

    // No folder is created on the way.
    EXPECT_FALSE(runtime::write_file(temp.path_of("missing\\file.txt"), {bytes_of(data)}));
    EXPECT_FALSE(runtime::file_exists(temp.path_of("missing")));

    // A file someone holds open without sharing: refused, the reason kept.
    ASSERT_TRUE(temp.write("held.txt", "old"));
    const win32::UniqueFile held(CreateFileA(temp.path_of("held.txt").c_str(), GENERIC_READ, 0,
                                               nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    SetLastError(0);
    EXPECT_FALSE(runtime::write_file(temp.path_of("held.txt"), {bytes_of(data)}));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
}

TEST_F(FilesTest, WriteWithAnEmptyPathTouchesNothing) {
    const std::string data = "x";
    EXPECT_FALSE(runtime::write_file("", {bytes_of(data)}));
    EXPECT_FALSE(runtime::write_file(std::string_view("\0abc", 4), {bytes_of(data)}));
}

TEST_F(FilesTest, WriteAllKeepsTheFailingCallsError) {
    ASSERT_TRUE(temp.write("read-only-handle", ""));
    const win32::UniqueFile file(CreateFileA(temp.path_of("read-only-handle").c_str(), GENERIC_READ,
                                               0, nullptr, OPEN_EXISTING, 0, nullptr));
    const std::string data = "x";
    SetLastError(0);
    EXPECT_FALSE(runtime::write_all(file.get(), bytes_of(data)));
    EXPECT_NE(GetLastError(), 0u);
}

TEST_F(FilesTest, Exists) {
    ASSERT_TRUE(temp.write("a.txt", ""));
    ASSERT_TRUE(temp.make_directory("目录"));
    struct Case { std::string path; bool exists; };
    const Case cases[] = {
        {temp.path_of("a.txt"), true},
        {temp.path_of("目录"), true},
        {temp.path_of("*.txt"), true},
        {temp.path_of("?.txt"), true},
        {temp.path_of("*.zip"), false},
        {temp.path_of("b.txt"), false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(runtime::file_exists(c.path), c.exists) << c.path;
}

TEST_F(FilesTest, DeleteOnlyExistingWritableFiles) {
    ASSERT_TRUE(temp.write("a.txt", ""));
    EXPECT_TRUE(runtime::delete_file(temp.path_of("a.txt")));
    EXPECT_FALSE(runtime::file_exists(temp.path_of("a.txt")));
    EXPECT_FALSE(runtime::delete_file(temp.path_of("a.txt")));

    ASSERT_TRUE(temp.write("ro.txt", ""));
    ASSERT_TRUE(SetFileAttributesA(temp.path_of("ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(runtime::delete_file(temp.path_of("ro.txt")));
    EXPECT_TRUE(runtime::file_exists(temp.path_of("ro.txt")));
}

TEST_F(FilesTest, AttributesAreMaskedWith0x27) {
    struct Case { std::uint32_t given; DWORD stored; };
    const Case cases[] = {
        {0x80, 0},  // 0 reaches the system
        {0x23, 0x03},
        {0x02, 0x02},
        {0x127, 0x07},  // temporary (0x100) is not let through
    };
    ASSERT_TRUE(temp.write("f", ""));
    for (const Case& c : cases) {
        EXPECT_TRUE(runtime::set_file_attributes(temp.path_of("f"), c.given));
        EXPECT_EQ(attributes_without_archive(temp.path_of("f")), c.stored) << c.given;
    }
    EXPECT_TRUE(runtime::set_file_attributes(temp.path_of("f"), 0));
    EXPECT_FALSE(runtime::set_file_attributes(temp.path_of("missing"), 2));
}

}  // namespace
