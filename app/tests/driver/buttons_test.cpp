// Every button runs its own operation, ending in a task-modal box.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "app/tests/driver/tool.h"
#include "testing/box_watcher.h"
#include "testing/window_text.h"
#include "ui/control_table.h"

namespace {

using driver::control;

// Presses the button and returns the box it brings up, checked task-modal.
test_support::MessageBoxSeen press_and_read_box(const driver::Tool& tool, std::uint32_t id) {
    PostMessageA(control(tool, id), BM_CLICK, 0, 0);
    auto box = test_support::wait_for_message_box(tool.process.id(), driver::kTimeoutMs);
    if (!box) throw std::runtime_error("no box after a press");
    EXPECT_EQ(box->title, "提示");
    EXPECT_EQ(box->owner, nullptr);
    EXPECT_FALSE(IsWindowEnabled(tool.window)) << "the box must be task-modal";
    EXPECT_TRUE(box->all_other_windows_disabled());
    return *box;
}

TEST(Buttons, EveryEntryButtonRunsItsOwnEntrysOperation) {
    driver::Tool tool = driver::start_tool();
    for (int page : {1, 2}) {
        driver::select_page(tool, page);
        for (const ui::ControlRecord& record : ui::kControls) {
            if (record.page != page || record.kind != ui::Kind::button) continue;
            SCOPED_TRACE(test_support::gbk_to_utf8(record.name));
            const auto box = press_and_read_box(tool, record.id);
            // Started without a game directory, every pack operation refuses.
            EXPECT_EQ(box.text, "没找到路径");
            ASSERT_TRUE(test_support::close_message_box(box));
            EXPECT_TRUE(IsWindowEnabled(tool.window));
        }
    }
    EXPECT_EQ(driver::close_and_wait(tool), 0u);
}

TEST(Buttons, NoticeButtonShowsTheGroupNotice) {
    driver::Tool tool = driver::start_tool();
    const auto box = press_and_read_box(tool, ui::kNoticeButtonId);
    ASSERT_TRUE(test_support::close_message_box(box));
    EXPECT_EQ(driver::close_and_wait(tool), 0u);
}

}  // namespace
