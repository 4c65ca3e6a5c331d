// Addressing a window that is not loaded ends the program with the fatal
// error's box and exit code -1, however the window came to be missing.
#include <gtest/gtest.h>

#include "tests/support/box_watcher.h"
#include "tests/support/child_process.h"

namespace {

TEST(PropertyAccess, MissingWindowOrControlIsFatal) {
    struct Case {
        const char* mode;
        const char* message;
    };
    const Case cases[] = {
        {"never-loaded", "未载入欲访问窗口组件所在的窗口"},
        {"closed", "未载入欲访问窗口组件所在的窗口"},
        {"unknown-control", "未找到欲访问的窗口组件"},
    };
    for (const Case& c : cases) {
        test_support::ChildProcess helper(test_support::own_directory() + "\\ui_property_helper.exe",
                                          {c.mode});
        auto box = test_support::wait_for_message_box(helper.id(), 10000);
        ASSERT_TRUE(box) << c.mode;
        EXPECT_EQ(box->title, "错误");
        EXPECT_EQ(box->text, std::string("运行时出错!\r\n\r\n错误信息：") + c.message + "\r\n") << c.mode;
        test_support::close_message_box(*box);
        EXPECT_EQ(helper.wait(10000), 0xFFFFFFFFu) << c.mode;
    }
}

}  // namespace
