// The engine file and the theme hand-over at start, driven from outside: the
// program writes its engine beside itself whole and hidden, and hands theme 5
// to whatever engine is there.
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/tests/startup/startup_fixture.h"
#include "tests/support/locale_process.h"
#include "tests/support/window_text.h"
#include "theme/engine_messages.h"

namespace startup_test {
namespace {

TEST_F(StartupTest, FirstStartWritesTheHiddenEngineAndTheSecondLeavesIt) {
    const InstallPathValue install_path(std::nullopt);
    const std::string engine = app_file(kEngineName);
    {
        ChildProcess program = start();
        const HWND window = start_to_main_window(program);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(startup_driver::close_and_wait(program, window), 0u);
    }
    EXPECT_EQ(test_support::read_whole_file(engine), read_file(ENGINE_FILE)) << "not the embedded engine";
    EXPECT_EQ(attributes_without_archive(engine), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(GetFileAttributesA(app_file(kEngineTemporaryName).c_str()), INVALID_FILE_ATTRIBUTES);

    WIN32_FILE_ATTRIBUTE_DATA before{}, after{};
    ASSERT_TRUE(GetFileAttributesExA(engine.c_str(), GetFileExInfoStandard, &before));
    Sleep(1100);  // a rewrite would now show a later write time
    {
        ChildProcess program = start();
        const HWND window = start_to_main_window(program);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(startup_driver::close_and_wait(program, window), 0u);
    }
    ASSERT_TRUE(GetFileAttributesExA(engine.c_str(), GetFileExInfoStandard, &after));
    EXPECT_EQ(CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime), 0);
    EXPECT_EQ(attributes_without_archive(engine), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
}

// "€" is 0x80 in code page 936, a character of one byte: a program folder
// whose name ends in it keeps the engine, which once went to its parent.
TEST_F(StartupTest, EngineLandsInAFolderWhoseNameEndsInEuro) {
    const InstallPathValue install_path(std::nullopt);
    folder_.make_directory("app\x80");
    const std::string folder = folder_.path_of("app\x80");
    program_path_ = startup_driver::place_program(windows_path(PROGRAM_FILE), folder);
    ChildProcess program = start();
    const HWND window = start_to_main_window(program);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(startup_driver::close_and_wait(program, window), 0u);
    EXPECT_EQ(test_support::read_whole_file(folder + "\\" + kEngineName), read_file(ENGINE_FILE));
    EXPECT_EQ(GetFileAttributesA(folder_.path_of(kEngineName).c_str()), INVALID_FILE_ATTRIBUTES) << "not in the parent";
}

// A start killed while writing the engine leaves half of it under the
// temporary name; the next start still ends with the whole engine, hidden,
// and nothing else.
TEST_F(StartupTest, HalfEngineLeftByAKilledStartIsReplaced) {
    const InstallPathValue install_path(std::nullopt);
    const std::string engine_bytes = read_file(ENGINE_FILE).value_or("");
    ASSERT_FALSE(engine_bytes.empty());
    ASSERT_TRUE(folder_.write("app\\" + std::string(kEngineTemporaryName), engine_bytes.substr(0, engine_bytes.size() / 2)));
    {
        ChildProcess program = start();
        const HWND window = start_to_main_window(program);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(startup_driver::close_and_wait(program, window), 0u);
    }
    EXPECT_TRUE(test_support::read_whole_file(app_file(kEngineName)) == engine_bytes);
    EXPECT_EQ(attributes_without_archive(app_file(kEngineName)), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(GetFileAttributesA(app_file(kEngineTemporaryName).c_str()), INVALID_FILE_ATTRIBUTES);
}

// engine_calls.txt of the recording engine as key=value pairs, one map a line.
std::vector<std::map<std::string, std::string>> read_engine_calls(const std::string& path) {
    std::vector<std::map<std::string, std::string>> lines;
    std::istringstream text(test_support::read_whole_file(path).value_or(""));
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::map<std::string, std::string> pairs;
        std::istringstream words(line);
        for (std::string word; words >> word;) {
            const std::size_t equals = word.find('=');
            pairs[word.substr(0, equals)] = word.substr(equals + 1);
        }
        lines.push_back(pairs);
    }
    return lines;
}

TEST_F(StartupTest, ThemeFiveReachesAVisibleForeignEngineThatIsLeftAsItIs) {
    const InstallPathValue install_path(std::nullopt);
    const std::string engine = app_file(kEngineName);
    ASSERT_TRUE(CopyFileA(windows_path(RECORDING_ENGINE_FILE).c_str(), engine.c_str(), TRUE));
    const DWORD attributes = attributes_without_archive(engine);
    {
        ChildProcess program = start();
        const HWND window = start_to_main_window(program);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(startup_driver::close_and_wait(program, window), 0u);
    }
    EXPECT_EQ(test_support::read_whole_file(engine), read_file(RECORDING_ENGINE_FILE));
    EXPECT_EQ(attributes_without_archive(engine), attributes);

    const auto calls = read_engine_calls(app_file("engine_calls.txt"));
    ASSERT_EQ(calls.size(), 2u) << "one call, then the free of its buffer";
    const auto theme_size = read_file(THEME_5_FILE).value_or("").size();
    auto call = calls[0];
    EXPECT_EQ(call["call"], "1");
    EXPECT_EQ(call["length"], std::to_string(theme_size));
    EXPECT_EQ(call["data_null"], "0");
    EXPECT_EQ(call["head"], "2E534845") << "the data behind the byte set's head";
    EXPECT_EQ(call["copy_size"], std::to_string(theme_size + 8)) << "a heap copy of the whole byte set";
    EXPECT_EQ(call["text_null"], "0");
    EXPECT_EQ(call["text_empty"], "1");
    EXPECT_EQ(call["a"], "0");
    EXPECT_EQ(call["b"], "0");
    EXPECT_EQ(call["c"], "0");
    EXPECT_EQ(calls[1].count("freed") ? calls[1].at("freed") : "", "1") << "the copy freed after the call";
}

TEST_F(StartupTest, AnEngineFileWithoutTheEntryIsFatal) {
    const InstallPathValue install_path(std::nullopt);
    ASSERT_TRUE(CopyFileA(windows_path(ENTRYLESS_ENGINE_FILE).c_str(), app_file(kEngineName).c_str(), TRUE));
    ChildProcess program = start();

    const auto box = test_support::wait_for_message_box(program.id(), kTimeoutMs);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "错误");
    EXPECT_EQ(box->text, "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“" + std::string(kEngineName) +
                             "”中的输出命令“SkinH_AttachRes”\r\n" + app_file(kEngineName) + "\r\n" +
                             theme::unloadable_engine_advice(ERROR_PROC_NOT_FOUND, false) + "\r\n")
        << box->text_utf8();
    const HWND hidden = find_main_window(program.id());
    EXPECT_TRUE(hidden == nullptr || !IsWindowVisible(hidden));
    ASSERT_TRUE(test_support::press_ok(box->box));
    EXPECT_EQ(program.wait(kTimeoutMs), std::optional<DWORD>(0xFFFFFFFF));
}

// What a write cut by a power failure (or an older writer that did not
// flush) leaves under the engine's name is nobody's DLL, and an engine of
// another build of ours would keep its faults for good: either is replaced,
// hidden, and the start goes on.
TEST_F(StartupTest, AnEngineFileThatIsNoDllOrOfAnotherBuildIsReplaced) {
    struct Case { const char* name; std::string bytes; DWORD attributes; };
    std::string other_build = read_file(ENGINE_FILE).value_or("");
    other_build[other_build.size() / 2] ^= 0x55;
    const Case cases[] = {
        {"hidden, ours of another build", other_build, FILE_ATTRIBUTE_HIDDEN},
        {"empty", "", FILE_ATTRIBUTE_NORMAL},
        {"no MZ", "not a DLL at all", FILE_ATTRIBUTE_NORMAL},
        {"hidden, cut after one byte", "M", FILE_ATTRIBUTE_HIDDEN},
        {"hidden, cut after its headers", read_file(ENGINE_FILE).value_or("").substr(0, 4096), FILE_ATTRIBUTE_HIDDEN},
    };
    const InstallPathValue install_path(std::nullopt);
    const std::string engine = app_file(kEngineName);
    for (const Case& c : cases) {
        SetFileAttributesA(engine.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(test_support::write_whole_file(engine, c.bytes));
        ASSERT_TRUE(SetFileAttributesA(engine.c_str(), c.attributes));
        {
            ChildProcess program = start();
            const HWND window = start_to_main_window(program);
            ASSERT_NE(window, nullptr) << c.name;
            EXPECT_EQ(startup_driver::close_and_wait(program, window), 0u) << c.name;
        }
        EXPECT_TRUE(test_support::read_whole_file(engine) == read_file(ENGINE_FILE)) << c.name;
        EXPECT_EQ(attributes_without_archive(engine), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN)) << c.name;
        EXPECT_EQ(GetFileAttributesA(app_file(kEngineTemporaryName).c_str()), INVALID_FILE_ATTRIBUTES) << c.name;
    }
}

// Windows refuses a path of MAX_PATH UTF-16 characters; Wine does not, so the
// program measures its engine paths itself. The longest is the temporary
// name's: the run directory plus 17 characters.
TEST_F(StartupTest, RunDirectoryTooLongForTheEngineFileIsFatalWithoutWriting) {
    struct Case { const char* name; const char* unit; std::size_t length; bool fits; };
    const Case cases[] = {
        {"longest that fits", "a", MAX_PATH - 18, true},
        {"one character more", "a", MAX_PATH - 17, false},
        {"GBK names count by character", "英", MAX_PATH - 18, true},
    };
    const InstallPathValue install_path(std::nullopt);
    char row = 'a';
    for (const Case& c : cases) {
        // Levels of at most 60 characters (Linux takes names of 255 bytes),
        // the first one named after the row.
        std::string folder = folder_.path();
        for (std::size_t left = c.length - folder.size(); left > 0;) {
            const std::size_t take = left - 1 <= 60 ? left - 1 : 50;
            std::string name = folder == folder_.path() ? std::string(1, row++) : c.unit;
            for (std::size_t i = 1; i < take; ++i) name += c.unit;
            folder += "\\" + name;
            ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << c.name;
            left -= take + 1;
        }
        program_path_ = startup_driver::place_program(windows_path(PROGRAM_FILE), folder);
        const std::string engine = folder + "\\" + kEngineName;
        // CreateProcess refuses a program path this long (error 2); the
        // Unix side takes it.
        ChildProcess program = test_support::start_under_locale(program_path_, "zh_CN.UTF-8", kTimeoutMs);
        if (c.fits) {
            const HWND window = start_to_main_window(program);
            ASSERT_NE(window, nullptr) << c.name;
            EXPECT_EQ(startup_driver::close_and_wait(program, window), 0u) << c.name;
            EXPECT_NE(GetFileAttributesA(engine.c_str()), INVALID_FILE_ATTRIBUTES) << c.name;
            continue;
        }
        const auto box = test_support::wait_for_message_box(program.id(), kTimeoutMs);
        ASSERT_TRUE(box) << c.name;
        EXPECT_EQ(box->text, "运行时出错!\r\n\r\n错误信息：" +
                                 theme::unwritable_engine_message(engine, ERROR_FILENAME_EXCED_RANGE) + "\r\n")
            << c.name << ": " << box->text_utf8();
        ASSERT_TRUE(test_support::press_ok(box->box));
        EXPECT_EQ(program.wait(kTimeoutMs), std::optional<DWORD>(0xFFFFFFFF)) << c.name;
        EXPECT_EQ(GetFileAttributesA(engine.c_str()), INVALID_FILE_ATTRIBUTES) << c.name;
        EXPECT_EQ(GetFileAttributesA((engine + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES) << c.name;
    }
}

}  // namespace
}  // namespace startup_test
