// Switching tab pages shows only that page's rows and brings the other page
// back unchanged; the Tab key walks only the buttons that can be seen, and the
// page keys turn the page from the keyboard.
#include <windows.h>

#include <initializer_list>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "app/tests/driver/presses.h"
#include "app/tests/driver/tool.h"
#include "packs/catalogue.h"
#include "packs/manifest.h"
#include "packs/messages.h"
#include "tests/support/box_watcher.h"
#include "tests/support/deadline.h"
#include "tests/support/temp_directory.h"
#include "tests/support/window_search.h"
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

// Types Tab `presses` times (as often as there are controls: past every
// button) and collects where the focus went.
std::set<std::uint32_t> tab_walk(const driver::Tool& tool, std::size_t presses = ui::kControls.size() + 2) {
    std::set<std::uint32_t> reached;
    HWND last = driver::focused_window(tool);
    for (std::size_t i = 0; i < presses; ++i) {
        driver::type_keys({VK_TAB});
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
    ASSERT_TRUE(test_support::poll_until(driver::kTimeoutMs, [&] { return GetForegroundWindow() == tool.window; }));
    EXPECT_TRUE(test_support::poll_until(driver::kTimeoutMs, [&] { return driver::focused_window(tool) == tool.window; }))
        << "the shown window takes the focus";
    EXPECT_EQ(tab_walk(tool), visible_buttons(1));
    driver::select_page(tool, 2);
    EXPECT_EQ(tab_walk(tool), visible_buttons(2));
    EXPECT_EQ(driver::close_and_wait(tool), 0u);
}

HWND first_button(const driver::Tool& tool, int page) {
    for (const ui::ControlRecord& record : ui::kControls)
        if (record.kind == ui::Kind::kButton && record.page == page) return control(tool, record.id);
    return nullptr;
}

struct PageKey {
    std::initializer_list<WORD> keys;
    int step;
};

// Typed, so that the program reads Ctrl and Shift from its own key state.
// The focus rectangle is not checked: Wine keeps no UI state (WM_QUERYUISTATE
// answers 0 whatever WM_CHANGEUISTATE said), it always shows.
TEST(Pages, PageKeysFromEachPageShowTheNextOrPreviousAndFocusItsFirstButton) {
    test_support::TempDirectory game;
    ASSERT_TRUE(game.make_directory("Game"));
    driver::Tool tool = driver::start_tool();
    driver::set_game_directory(tool, game.path());
    ASSERT_TRUE(test_support::poll_until(driver::kTimeoutMs, [&] { return GetForegroundWindow() == tool.window; }));
    const PageKey page_keys[] = {{{VK_CONTROL, VK_TAB}, 1},
                                 {{VK_CONTROL, VK_NEXT}, 1},
                                 {{VK_CONTROL, VK_SHIFT, VK_TAB}, -1},
                                 {{VK_CONTROL, VK_PRIOR}, -1}};
    for (const PageKey& key : page_keys) {
        for (int from = 1; from <= packs::kPageCount; ++from) {
            SCOPED_TRACE("key " + std::to_string(*std::rbegin(key.keys)) + " step " + std::to_string(key.step) +
                         " from page " + std::to_string(from));
            driver::select_page(tool, from);
            const int to = (from - 1 + key.step + packs::kPageCount) % packs::kPageCount + 1;
            driver::type_keys(key.keys);
            const HWND first = first_button(tool, to);
            EXPECT_TRUE(test_support::poll_until(driver::kTimeoutMs, [&] { return driver::focused_window(tool) == first; }));
            expect_page_shown(tool, to);
            EXPECT_EQ(tab_walk(tool, visible_buttons(to).size() + 1), visible_buttons(to));
        }
    }
    // Space on page 2's first button, a "修改", installs its pack.
    driver::select_page(tool, 1);
    driver::type_keys({VK_CONTROL, VK_NEXT});
    const ui::ControlRecord& apply = *ui::find_record(static_cast<std::uint32_t>(GetDlgCtrlID(first_button(tool, 2))));
    ASSERT_EQ(apply.binding.operation, ui::Operation::kApplyEntry);
    ASSERT_TRUE(test_support::poll_until(driver::kTimeoutMs, [&] { return driver::focused_window(tool) == control(tool, apply.id); }));
    driver::type_keys({VK_SPACE});
    const auto box = test_support::wait_for_message_box(tool.process.id(), driver::kTimeoutMs);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, packs::apply_message());
    // What a screen reader reads of the box: its static's name (its value is empty, on Windows too).
    EXPECT_EQ(driver::spoken(test_support::find_child(box->box, test_support::kMessageTextId)).name, box->text);
    EXPECT_TRUE(test_support::close_message_box(*box));
    const packs::CatalogueEntry& pack = packs::catalogue_entry(apply.binding.entry);
    const std::string archive = game.path() + std::string(packs::kPackFolderSuffix) + std::string(pack.pack_file_name);
    EXPECT_EQ(driver::file_size(archive), packs::catalogue_archive_size(apply.binding.entry));
    EXPECT_EQ(test_support::read_whole_file(game.path() + std::string(packs::kManifestSuffix)), driver::bytes_of(pack.manifest));
    EXPECT_EQ(driver::close_and_wait(tool), 0u);
}

}  // namespace
