// The ways the program ends: Esc and the close button with exit code 0, an
// event nobody bound changes nothing, an event from an unknown control is the
// fatal error with exit code -1.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/tests/driver/tool.h"
#include "testing/box_watcher.h"
#include "ui/control_table.h"

namespace {

using driver::control;

constexpr DWORD kExitFatal = 0xFFFFFFFF;  // -1

// A key press as the keyboard would queue it, to the window with the focus.
void press_key(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 0x00010001);
    PostMessageA(window, WM_KEYUP, key, 0xC0010001);
}

TEST(Ending, CloseButtonEndsWithCodeZero) {
    driver::Tool tool = driver::start_tool();
    EXPECT_EQ(driver::close_and_wait(tool), 0u);
}

TEST(Ending, EscEndsWithCodeZeroWhereverTheFocusIs) {
    const std::uint32_t focus_on[] = {ui::kMainWindowId, ui::kNoticeButtonId, 0x16030019};
    for (std::uint32_t id : focus_on) {
        driver::Tool tool = driver::start_tool();
        HWND target = id == ui::kMainWindowId ? tool.window : control(tool, id);
        press_key(target, VK_ESCAPE);
        EXPECT_EQ(tool.process.wait(driver::kTimeoutMs), 0u) << std::hex << id;
        EXPECT_FALSE(test_support::wait_for_message_box(tool.process.id(), 0)) << "no operation runs";
    }
}

TEST(Ending, EventsWithoutBindingDoNothing) {
    driver::Tool tool = driver::start_tool();
    // A click reported by controls that have no click binding, and a page
    // change, which nothing is bound to either.
    for (std::uint32_t id : {ui::kPathFieldId, ui::kTabControlId, 0x16020002u}) {
        PostMessageA(tool.window, WM_COMMAND, MAKEWPARAM(id & 0xFFFF, BN_CLICKED),
                     reinterpret_cast<LPARAM>(control(tool, id)));
    }
    driver::select_page(tool, 2);
    EXPECT_FALSE(test_support::wait_for_message_box(tool.process.id(), 500));
    EXPECT_TRUE(tool.process.running());
    EXPECT_EQ(driver::close_and_wait(tool), 0u);
}

TEST(Ending, ClickFromAControlNotInTheWindowIsFatal) {
    driver::Tool tool = driver::start_tool();
    // The main window itself as the sender: a window without a control id.
    PostMessageA(tool.window, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(tool.window));
    auto box = test_support::wait_for_message_box(tool.process.id(), driver::kTimeoutMs);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "错误");
    EXPECT_EQ(box->text, "运行时出错!\r\n\r\n错误信息：未找到引发事件的窗口组件\r\n");
    test_support::close_message_box(*box);
    EXPECT_EQ(tool.process.wait(driver::kTimeoutMs), kExitFatal);
}

}  // namespace
