// The shown window against its control table: every control's kind, caption,
// place relative to its parent, visibility and tab stop, and the window's own
// size, place, frame and title. Fonts and the class background cannot be read
// from another process under Wine; the in-process window tests check those.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "app/tests/driver/tool.h"
#include "testing/window_text.h"
#include "ui/control_table.h"

namespace {

using driver::control;
using test_support::gbk_to_utf8;
using test_support::window_class;
using test_support::window_text;

class Layout : public ::testing::Test {
protected:
    static void SetUpTestSuite() { tool = new driver::Tool(driver::start_tool()); }
    static void TearDownTestSuite() {
        driver::close_and_wait(*tool);
        delete tool;
    }
    static driver::Tool* tool;
};
driver::Tool* Layout::tool = nullptr;

const char* expected_class(ui::Kind kind) {
    switch (kind) {
    case ui::Kind::kButton: return "Button";
    case ui::Kind::kTab: return "SysTabControl32";
    default: return "Static";
    }
}

TEST_F(Layout, WindowHasTheFixedSizeCentredPlaceFrameAndEmptyTitle) {
    RECT rect;
    GetWindowRect(tool->window, &rect);
    EXPECT_EQ(rect.right - rect.left, 811);
    EXPECT_EQ(rect.bottom - rect.top, 472);
    // Computed here from the screen the test runs on, not copied from the code.
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 811) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 472) / 2);

    const LONG s = driver::style(tool->window);
    EXPECT_EQ(s & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(s & WS_SYSMENU);
    EXPECT_TRUE(s & WS_MINIMIZEBOX);
    EXPECT_FALSE(s & WS_MAXIMIZEBOX);
    EXPECT_FALSE(s & WS_THICKFRAME) << "the window must not be resizable";
    EXPECT_EQ(window_text(tool->window), "");
}

TEST_F(Layout, EveryControlStandsWhereTheTableSaysWithItsKindAndCaption) {
    for (const ui::ControlRecord& record : ui::kControls) {
        SCOPED_TRACE(gbk_to_utf8(record.name));
        HWND window = control(*tool, record.id);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window_class(window), expected_class(record.kind));
        // Start-up found no game directory: the path field it created with
        // "标签" is empty.
        if (record.kind != ui::Kind::kTab) {
            EXPECT_EQ(window_text(window), record.id == ui::kPathFieldId ? "" : record.text);
        }

        const RECT rect = driver::rect_in_parent(window);
        EXPECT_EQ(rect.left, record.left);
        EXPECT_EQ(rect.top, record.top);
        EXPECT_EQ(rect.right - rect.left, record.width);
        EXPECT_EQ(rect.bottom - rect.top, record.height);
        const HWND expected_parent =
            record.parent == ui::kNoParent ? tool->window : control(*tool, record.parent);
        EXPECT_EQ(GetParent(window), expected_parent);

        const LONG s = driver::style(window);
        EXPECT_EQ((s & WS_TABSTOP) != 0, record.tab_stop);
        EXPECT_EQ(IsWindowVisible(window) != FALSE, record.page != 2) << "page 1 is selected";
        EXPECT_TRUE(IsWindowEnabled(window));
        EXPECT_FALSE(s & WS_BORDER);
        switch (record.kind) {
        case ui::Kind::kButton:
            EXPECT_EQ(s & BS_TYPEMASK, BS_PUSHBUTTON) << "a push button, never the default";
            EXPECT_EQ(s & (BS_CENTER | BS_VCENTER), BS_CENTER | BS_VCENTER);
            break;
        case ui::Kind::kTransparentLabel:
            EXPECT_TRUE(driver::ex_style(window) & WS_EX_TRANSPARENT);
            EXPECT_EQ(s & (SS_TYPEMASK | SS_CENTERIMAGE), SS_LEFT | SS_CENTERIMAGE);
            break;
        case ui::Kind::kLabel:
            EXPECT_FALSE(driver::ex_style(window) & WS_EX_TRANSPARENT);
            EXPECT_EQ(s & (SS_TYPEMASK | SS_CENTERIMAGE), SS_LEFT | SS_CENTERIMAGE);
            break;
        default:
            break;
        }
    }
}

TEST_F(Layout, TabControlHasTheCataloguePagesWithTheFirstSelected) {
    HWND tab = control(*tool, ui::kTabControlId);
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), packs::kPageCount);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);
    for (int page = 0; page < packs::kPageCount; ++page)
        EXPECT_EQ(driver::tab_caption(*tool, tab, page), packs::kPageCaptions[page]);
    const RECT first = driver::tab_item_rect(*tool, tab, 0);
    const RECT second = driver::tab_item_rect(*tool, tab, 1);
    EXPECT_EQ(first.top, second.top) << "one row of tabs";
    EXPECT_LT(first.left, second.left) << "in page order";
    EXPECT_LT(first.bottom, 40) << "along the top edge";

    // What the platform decides, for the record: frame, title bar, tab strip.
    RECT client;
    GetClientRect(tool->window, &client);
    std::printf("platform metrics: client area %ldx%ld of the 811x472 window; "
                "title bar %d, fixed frame %dx%d; tab strip %ld high (tabs %ldx%ld, %ldx%ld)\n",
                client.right, client.bottom, GetSystemMetrics(SM_CYCAPTION),
                GetSystemMetrics(SM_CXFIXEDFRAME), GetSystemMetrics(SM_CYFIXEDFRAME), first.bottom,
                first.right - first.left, first.bottom - first.top, second.right - second.left,
                second.bottom - second.top);
    EXPECT_FALSE(driver::style(tab) & (TCS_MULTILINE | TCS_VERTICAL | TCS_BOTTOM));
}

}  // namespace
