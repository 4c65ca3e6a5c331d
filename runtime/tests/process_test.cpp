// The end service and the fatal error, each run in a child process whose box
// is read and answered from here.
#include "runtime/fatal_error.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/fatal_text.h"
#include "tests/support/box_watcher.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_directory.h"

namespace {

namespace ts = test_support;

constexpr DWORD kTimeoutMs = 15000;
constexpr DWORD kFatalExitCode = 0xFFFFFFFF;

std::string helper() { return ts::own_directory() + "\\runtime_process_helper.exe"; }

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The test DLL leaves this marker when FreeLibrary unloads it.
        SetEnvironmentVariableA("RUNTIME_TEST_DLL_FREED", temp.path_of("freed").c_str());
    }
    void TearDown() override { SetEnvironmentVariableA("RUNTIME_TEST_DLL_FREED", nullptr); }

    // Runs the helper, expects one fatal box with `text`, presses OK and
    // returns the exit code.
    std::optional<DWORD> run_fatal(const std::vector<std::string>& arguments, const std::string& text,
                                   const std::string& program = helper()) {
        const ts::ChildProcess child(program, arguments);
        const auto seen = ts::wait_for_message_box(child.id(), kTimeoutMs);
        EXPECT_TRUE(seen.has_value());
        if (!seen) return std::nullopt;
        EXPECT_EQ(seen->text, text) << seen->text_utf8();
        EXPECT_EQ(seen->title, "错误");
        EXPECT_NE(GetDlgItem(seen->box, IDOK), nullptr);
        ts::press_ok(seen->box);
        return child.wait(kTimeoutMs);
    }

    ts::TempDirectory temp;
};

TEST(FatalErrorText, Layout) {
    struct Case { int number; std::string message, text; };
    const Case cases[] = {
        {0, "载入启动窗口失败", "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n"},
        {7, "x", "运行时出错!\r\n\r\n错误代码：7\r\n\r\n错误信息：x\r\n"},
        {-2, "", "运行时出错!\r\n\r\n错误代码：-2\r\n\r\n"},
        {0, "", "运行时出错!\r\n\r\n"},
    };
    for (const Case& c : cases) {
        char text[256];
        EXPECT_EQ(std::string(text, runtime::build_fatal_text(text, sizeof text, c.number, c.message)), c.text);
    }
}

// A message too long for the box's buffer is cut before a two-byte
// character, never inside one; a byte that is no lead byte is a character.
TEST(FatalErrorText, CutAtACharacterBoundary) {
    const std::string head = "运行时出错!\r\n\r\n错误信息：";
    struct Case { std::string message; std::size_t room; std::string kept; };
    const Case cases[] = {
        {"\xD3\xA2\xD0\xDB", 3, "\xD3\xA2\r"},  // the closing CR LF goes on where it fits
        {"\x80\x80", 1, "\x80"},
        {"a\xFF" "b", 2, "a\xFF"},
    };
    for (const Case& c : cases) {
        std::string text(head.size() + c.room + 1, '?');
        text.resize(runtime::build_fatal_text(text.data(), text.size(), 0, c.message));
        EXPECT_EQ(text, head + c.kept) << c.message;
    }
}

TEST_F(ProcessTest, FatalErrorDropsExitRoutinesAndFreesModules) {
    EXPECT_EQ(run_fatal({"fatal", "12", "未找到引发事件的窗口", temp.path_of("log")},
                        "运行时出错!\r\n\r\n错误代码：12\r\n\r\n错误信息：未找到引发事件的窗口\r\n"),
              kFatalExitCode);
    EXPECT_EQ(temp.read("log"), std::nullopt);
    EXPECT_TRUE(temp.read("freed").has_value());
}

TEST_F(ProcessTest, EndServiceRunsExitRoutinesOnceInOrder) {
    const ts::ChildProcess child(helper(), {"end", "5", temp.path_of("log")});
    EXPECT_EQ(child.wait(kTimeoutMs), std::optional<DWORD>(5));
    EXPECT_EQ(temp.read("log"), "AB");
    EXPECT_TRUE(temp.read("freed").has_value());
}

TEST_F(ProcessTest, EndServiceWithZero) {
    const ts::ChildProcess child(helper(), {"end", "0", temp.path_of("log")});
    EXPECT_EQ(child.wait(kTimeoutMs), std::optional<DWORD>(0));
    EXPECT_EQ(temp.read("log"), "AB");
}

TEST_F(ProcessTest, SecondFatalErrorEndsAtOnce) {
    const ts::ChildProcess child(helper(), {"fatal-twice", temp.path_of("signal")});
    const auto seen = ts::wait_for_message_box(child.id(), kTimeoutMs);
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->text, "运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：first\r\n");
    // Nobody presses OK: the second error, raised inside the box's modal loop,
    // ends the process with the fatal exit code.
    ASSERT_TRUE(temp.write("signal", ""));
    EXPECT_EQ(child.wait(kTimeoutMs), std::optional<DWORD>(kFatalExitCode));
}

TEST_F(ProcessTest, OutOfMemoryIsFatal) {
    // The helper asks for SIZE_MAX - 15 bytes: 4294967280 in a 32-bit process.
    const std::string size = sizeof(void*) == 4 ? "4294967280" : "18446744073709551600";
    EXPECT_EQ(run_fatal({"memory"}, "运行时出错!\r\n\r\n错误信息：分配 " + size + " 字节内存失败!\r\n"),
              kFatalExitCode);
}

TEST_F(ProcessTest, UnboundDllCommandsAreFatal) {
    EXPECT_EQ(run_fatal({"dll-missing"},
                        "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“no_such_library.dll”中的输出命令“SkinH_AttachRes”\r\n"),
              kFatalExitCode);
    EXPECT_EQ(run_fatal({"entry-missing"},
                        "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“runtime_test_dll.dll”中的输出命令“#99”\r\n"),
              kFatalExitCode);
    // The DLL whose entry was missing was freed again.
    EXPECT_TRUE(temp.read("freed").has_value());
}

// The shipped images' stand-in relocator, should a link ever give it work.
TEST_F(ProcessTest, ARelocationListStopsTheStandInRelocator) {
    EXPECT_EQ(run_fatal({},
                        "运行时出错!\r\n\r\n错误信息：本程序的文件在生成时出了错（含有需要在运行时修补的地址），"
                        "不能运行。请重新下载本程序。\r\n",
                        ts::own_directory() + "\\auto_import_probe.exe"),
              kFatalExitCode);
}

TEST_F(ProcessTest, RunDirectoryIsTheExecutablesFolderAndBecomesCurrent) {
    ASSERT_TRUE(temp.make_directory("elsewhere"));
    // "乗" (81 5C) ends in a backslash byte that is no separator; the euro
    // sign (80) is a character of one byte, and the backslash after it is one.
    for (const std::string name : {"工具\x81\x5C", "工具\x80"}) {
        const std::string folder = temp.path_of(name);
        ASSERT_TRUE(temp.make_directory(name));
        ASSERT_TRUE(CopyFileA(helper().c_str(), (folder + "\\helper.exe").c_str(), FALSE));
        const ts::ChildProcess child(folder + "\\helper.exe", {"run-directory", temp.path_of("report")},
                                     temp.path_of("elsewhere"));
        ASSERT_EQ(child.wait(kTimeoutMs), std::optional<DWORD>(0));
        EXPECT_EQ(temp.read("report"), folder + "|" + folder + "\\|" + folder);
    }
}

// The executable's path misses the first buffer by one byte: Wine then stops
// before a two-byte character that does not fit and terminates the path one
// byte short of the buffer, where it looked whole.
TEST_F(ProcessTest, RunDirectoryCutBeforeATwoByteCharacterIsTakenWhole) {
    // 200 bytes of ASCII, then 30 two-byte characters: the last one starts
    // at byte 259 of the helper's path.
    const std::string padded = temp.path() + "\\" + std::string(199 - temp.path().size(), 'a');
    std::string folder = padded + "\\";
    for (int i = 0; i < 30; ++i) folder += "英";
    ASSERT_TRUE(CreateDirectoryA(padded.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(helper().c_str(), (folder + "\\helper.exe").c_str(), FALSE));
    const ts::ChildProcess child(folder + "\\helper.exe", {"run-directory", temp.path_of("report")});
    ASSERT_EQ(child.wait(kTimeoutMs), std::optional<DWORD>(0));
    EXPECT_EQ(temp.read("report"), folder + "|" + folder + "\\|" + folder);
}

}  // namespace
