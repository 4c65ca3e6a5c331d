// The ways the program ends: Esc and the close button with exit code 0, an
// event nobody bound changes nothing, an event from an unknown control is the
// fatal error with exit code -1.
#include <windows.h>

#include <vector>

#include <gtest/gtest.h>

#include "app/tests/driver/tool.h"
#include "tests/support/box_watcher.h"
#include "tests/support/deadline.h"
#include "tests/support/window_search.h"
#include "tests/support/window_text.h"
#include "ui/control_table.h"

namespace {

using driver::control;

constexpr DWORD kExitFatal = 0xFFFFFFFF;  // -1

// The visible message boxes of the program, topmost first.
std::vector<HWND> message_boxes(const driver::Tool& tool) {
    std::vector<HWND> boxes;
    for (HWND window : test_support::top_level_windows(tool.process.id()))
        if (IsWindowVisible(window) && test_support::window_class(window) == "#32770")
            boxes.push_back(window);
    return boxes;
}

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
    // No handler runs behind the fatal error's box.
    PostMessageA(control(tool, ui::kNoticeButtonId), BM_CLICK, 0, 0);
    Sleep(500);
    EXPECT_EQ(message_boxes(tool).size(), 1u) << "a click during the fatal error must be dropped";
    test_support::close_message_box(*box);
    EXPECT_EQ(tool.process.wait(driver::kTimeoutMs), kExitFatal);
}

// A click that reaches a button while another handler's box is up (a box of
// the program's own, not the fatal one) runs its handler inside that box's
// modal loop; both boxes then close in turn.
TEST(Ending, EventsDuringAHandlersBoxAreDeliveredNested) {
    driver::Tool tool = driver::start_tool();
    HWND notice = control(tool, ui::kNoticeButtonId);
    PostMessageA(notice, BM_CLICK, 0, 0);
    ASSERT_TRUE(test_support::wait_for_message_box(tool.process.id(), driver::kTimeoutMs));
    PostMessageA(notice, BM_CLICK, 0, 0);
    ASSERT_TRUE(test_support::poll_until(driver::kTimeoutMs,
                                         [&] { return message_boxes(tool).size() == 2; }));
    const std::vector<HWND> boxes = message_boxes(tool);
    for (HWND box : boxes) {
        test_support::press_ok(box);
        EXPECT_TRUE(test_support::wait_for_window_gone(box, driver::kTimeoutMs));
    }
    EXPECT_TRUE(test_support::poll_until(driver::kTimeoutMs,
                                         [&] { return IsWindowEnabled(tool.window) != FALSE; }));
    EXPECT_EQ(driver::close_and_wait(tool), 0u);
}

}  // namespace
