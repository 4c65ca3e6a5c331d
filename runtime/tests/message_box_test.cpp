#include "runtime/message_box.h"

#include <gtest/gtest.h>

#include "tests/support/box_watcher.h"
#include "watcher_thread.h"

namespace {

struct Shown {
    std::optional<test_support::MessageBoxSeen> seen;
    bool window_enabled = true;
    int result = -1;
};

// Shows the box on the test thread; a watcher reads it and presses `button`.
Shown show(std::optional<std::string_view> title, int code, int button) {
    const runtime_tests::TestWindow window;
    Shown shown;
    runtime_tests::WatcherThread watcher([&] {
        shown.seen = test_support::wait_for_message_box(GetCurrentProcessId(), 10000);
        if (!shown.seen) return;
        shown.window_enabled = IsWindowEnabled(window.get()) != FALSE;
        if (!test_support::press_button(shown.seen->box, button)) PostMessageW(shown.seen->box, WM_CLOSE, 0, 0);
    });
    shown.result = runtime::message_box("消息\r\n第二行", code, title);
    watcher.join();
    return shown;
}

TEST(MessageBoxService, Captions) {
    struct Case { std::optional<std::string_view> title; std::string caption; };
    const Case cases[] = {{"提示", "提示"}, {std::nullopt, "信息："}, {"", ""}};
    for (const Case& c : cases) {
        const Shown shown = show(c.title, 0, IDOK);
        ASSERT_TRUE(shown.seen.has_value());
        EXPECT_EQ(shown.seen->title, c.caption);
        EXPECT_EQ(shown.seen->text, "消息\r\n第二行");
        EXPECT_EQ(shown.result, 0);
    }
}

TEST(MessageBoxService, TaskModalUnlessSystemModal) {
    const Shown task_modal = show("提示", 0, IDOK);
    ASSERT_TRUE(task_modal.seen.has_value());
    EXPECT_FALSE(task_modal.window_enabled);
    const Shown system_modal = show("提示", MB_SYSTEMMODAL, IDOK);
    ASSERT_TRUE(system_modal.seen.has_value());
    EXPECT_TRUE(system_modal.window_enabled);
}

TEST(MessageBoxService, ButtonResults) {
    struct Case { int code; int button; int result; };
    const Case cases[] = {
        {MB_OKCANCEL, IDCANCEL, 1},  {MB_ABORTRETRYIGNORE, IDABORT, 2}, {MB_RETRYCANCEL, IDRETRY, 3},
        {MB_ABORTRETRYIGNORE, IDIGNORE, 4}, {MB_YESNO, IDYES, 5}, {MB_YESNOCANCEL, IDNO, 6},
        {MB_OKCANCEL, IDOK, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(show("提示", c.code, c.button).result, c.result) << c.button;
}

}  // namespace
