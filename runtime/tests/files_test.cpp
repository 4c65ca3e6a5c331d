#include "runtime/files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "runtime/write_file.h"
#include "win32/unique_handle.h"
#include "tests/support/temp_directory.h"

namespace {

runtime::ByteSet bytes_of(const std::string& text) {
    return {reinterpret_cast<const unsigned char*>(text.data()), static_cast<std::uint32_t>(text.size())};
}

class FilesTest : public ::testing::Test {
protected:
    test_support::TempDirectory temp;
};

TEST_F(FilesTest, WriteAcrossChunkBoundaries) {
    // Larger than two 4 MB chunks and not a multiple of one.
    std::string big(9u << 20, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 4096);
    EXPECT_EQ(runtime::write_file(temp.path_of("big.zip"), bytes_of(big), {}), 0u);
    EXPECT_TRUE(temp.read("big.zip") == big);
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

}  // namespace
