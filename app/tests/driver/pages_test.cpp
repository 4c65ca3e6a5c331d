// Switching tab pages shows only that page's rows and brings the other page
// back unchanged; the Tab key walks only the buttons that can be seen.
#include <windows.h>

#include <map>
#include <set>

#include <gtest/gtest.h>

#include "app/tests/driver/tool.h"
#include "tests/support/deadline.h"
#include "tests/support/window_text.h"
#include "ui/control_table.h"

namespace {

using driver::control;

struct Seen {
    RECT rect;
    std::string text;
    bool visible;
};

std::map<std::uint32_t, Seen> page_controls(const driver::Tool& tool) {
    std::map<std::uint32_t, Seen> seen;
    for (const ui::ControlRecord& record : ui::kControls) {
        HWND window = control(tool, record.id);
        seen[record.id] = {driver::rect_in_parent(window), test_support::window_text(window),
                           IsWindowVisible(window) != FALSE};
    }
    return seen;
}

void expect_page_shown(const driver::Tool& tool, int page) {
    for (const ui::ControlRecord& record : ui::kControls) {
        const bool visible = IsWindowVisible(control(tool, record.id)) != FALSE;
        EXPECT_EQ(visible, record.page == 0 || record.page == page)
            << test_support::gbk_to_utf8(record.name) << " with page " << page << " selected";
    }
}

TEST(Pages, EachPageShowsOnlyItsRowsAndComesBackUnchanged) {
    driver::Tool tool = driver::start_tool();
    const auto before = page_controls(tool);

    driver::select_page(tool, 2);
    expect_page_shown(tool, 2);
    driver::select_page(tool, 1);
    expect_page_shown(tool, 1);

    const auto after = page_controls(tool);
    for (const auto& [id, seen] : before) {
        const Seen& now = after.at(id);
        EXPECT_TRUE(EqualRect(&seen.rect, &now.rect)) << std::hex << id;
        EXPECT_EQ(seen.text, now.text) << std::hex << id;
        EXPECT_EQ(seen.visible, now.visible) << std::hex << id;
    }
    EXPECT_EQ(driver::close_and_wait(tool), 0u);
}

// Presses Tab as often as there are controls and collects where the focus
// went: every visible button, and nothing else.
std::set<std::uint32_t> tab_walk(const driver::Tool& tool) {
    std::set<std::uint32_t> reached;
    HWND last = driver::focused_window(tool);
    for (std::size_t i = 0; i < ui::kControls.size() + 2; ++i) {
        PostMessageA(last != nullptr ? last : tool.window, WM_KEYDOWN, VK_TAB, 0x000F0001);
        // Each press moves the focus; a loaded machine may take its time.
        HWND now = test_support::poll_until(driver::kTimeoutMs, [&]() -> HWND {
            HWND focus = driver::focused_window(tool);
            return focus != last ? focus : nullptr;
        });
        if (now == nullptr) break;
        reached.insert(static_cast<std::uint32_t>(GetDlgCtrlID(now)));
        last = now;
    }
    return reached;
}

std::set<std::uint32_t> visible_buttons(int page) {
    std::set<std::uint32_t> ids;
    for (const ui::ControlRecord& record : ui::kControls)
        if (record.kind == ui::Kind::kButton && (record.page == 0 || record.page == page))
            ids.insert(record.id);
    return ids;
}

TEST(Pages, TabMovesTheFocusOnlyThroughVisibleButtons) {
    driver::Tool tool = driver::start_tool();
    EXPECT_TRUE(test_support::poll_until(driver::kTimeoutMs, [&] { return driver::focused_window(tool) == tool.window; }))
        << "the shown window takes the focus";
    EXPECT_EQ(tab_walk(tool), visible_buttons(1));
    driver::select_page(tool, 2);
    EXPECT_EQ(tab_walk(tool), visible_buttons(2));
    EXPECT_EQ(driver::close_and_wait(tool), 0u);
}

}  // namespace
