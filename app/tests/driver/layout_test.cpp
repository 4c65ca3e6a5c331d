// The shown window against its control table: every control's kind, caption,
// place relative to its parent, visibility and tab stop, and the window's own
// size, place, frame and title. Fonts and the class background cannot be read
// from another process under Wine; the in-process window tests check those.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/tests/driver/tool.h"
#include "engine/skin/frame/frame_metrics.h"
#include "tests/support/remote_memory.h"
#include "win32/gdi.h"
#include "tests/support/window_text.h"
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

// What a screen reader reads of each button and the path field, asked from
// another process: the program's own objects, over WM_GETOBJECT. A row's
// buttons name their pack with the row's catalogue label; no two names agree.
TEST_F(Layout, ButtonsAndThePathFieldAreNamedForScreenReaders) {
    std::set<std::string> names;
    std::size_t asked = 0;
    for (const ui::ControlRecord& record : ui::kControls) {
        if (record.kind != ui::Kind::kButton && record.id != ui::kPathFieldId) continue;
        SCOPED_TRACE(gbk_to_utf8(record.name));
        const ui::Operation operation = record.binding.operation;
        const bool apply = operation == ui::Operation::kApplyEntry, restore = operation == ui::Operation::kRestoreEntry;
        const std::string label = apply || restore ? packs::kEntryRows[record.binding.entry - 1].label : "";
        const driver::Spoken said = driver::spoken(control(*tool, record.id));
        ASSERT_EQ(said.found, S_OK);
        EXPECT_EQ(said.name, record.id == ui::kPathFieldId ? "游戏路径" : label.empty() ? record.text : record.text + (" " + label));
        EXPECT_EQ(said.description, apply ? "把这个皮肤包装进游戏" : restore ? "把这个皮肤包从游戏里去掉" : "");
        EXPECT_EQ(said.role, record.kind == ui::Kind::kButton ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_STATICTEXT);
        names.insert(said.name);
        ++asked;
    }
    EXPECT_EQ(names.size(), asked);
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

    // For the record: the client area the engine's frame leaves, and what
    // the platform decides, the tab strip.
    RECT client;
    GetClientRect(tool->window, &client);
    std::printf("metrics: client area %ldx%ld of the 811x472 window; tab strip %ld high (tabs %ldx%ld, %ldx%ld)\n",
                client.right, client.bottom, first.bottom, first.right - first.left, first.bottom - first.top,
                second.right - second.left, second.bottom - second.top);
    EXPECT_FALSE(driver::style(tab) & (TCS_MULTILINE | TCS_VERTICAL | TCS_BOTTOM));
}

// The table's 96-DPI pixels at the screen's DPI: 100, 125, 150 and 200 %.
constexpr int kDpis[] = {96, 120, 144, 192};

int scaled(int value, int dpi) { return MulDiv(value, dpi, 96); }

void expect_layout_at(const driver::Tool& tool, int dpi) {
    RECT rect;
    GetWindowRect(tool.window, &rect);
    EXPECT_EQ(rect.right - rect.left, scaled(811, dpi));
    EXPECT_EQ(rect.bottom - rect.top, scaled(472, dpi));
    // The client area is what the theme's frame (every theme's: engine/core/
    // theme.h) leaves of the window, whatever the system's metrics; every
    // control lies inside it.
    RECT client;
    GetClientRect(tool.window, &client);
    MapWindowPoints(tool.window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const RECT expected_client = engine::client_inside(engine::frame_metrics(engine::Theme{}, dpi), rect);
    EXPECT_TRUE(EqualRect(&client, &expected_client)) << client.right - client.left << "x" << client.bottom - client.top;
    for (const ui::ControlRecord& record : ui::kControls) {
        RECT on_screen, inside;
        GetWindowRect(control(tool, record.id), &on_screen);
        IntersectRect(&inside, &on_screen, &client);
        EXPECT_TRUE(EqualRect(&inside, &on_screen)) << gbk_to_utf8(record.name) << " reaches out of the client area";
        const RECT r = driver::rect_in_parent(control(tool, record.id));
        const LONG edges[] = {r.left, r.top, r.right, r.bottom};
        const int expected[] = {scaled(record.left, dpi), scaled(record.top, dpi),
                                scaled(record.left + record.width, dpi), scaled(record.top + record.height, dpi)};
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(edges[i], expected[i], 1) << gbk_to_utf8(record.name) << " edge " << i;
    }
}

// The window as the screen shows it.
class ScreenCopy {
public:
    explicit ScreenCopy(HWND window) {
        GetWindowRect(window, &place_);
        width_ = place_.right - place_.left;
        pixels_.resize(static_cast<std::size_t>(width_) * (place_.bottom - place_.top));
        const LONG height = place_.bottom - place_.top;
        const win32::WindowDc screen(nullptr, win32::WindowDc::kClientArea);
        const win32::UniqueMemoryDc copy(CreateCompatibleDC(screen.get()));
        const win32::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width_, height));
        {
            const win32::SelectGuard use(copy.get(), bitmap.get());
            BitBlt(copy.get(), 0, 0, width_, height, screen.get(), place_.left, place_.top, SRCCOPY);
        }
        BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width_, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        GetDIBits(copy.get(), bitmap.get(), 0, height, pixels_.data(), &info, DIB_RGB_COLORS);
    }

    // Where the caption's strokes stand in the control, `inset` in from its
    // sides: pixels far from their row's most common colour (the face or
    // the page beneath), relative to the control.
    RECT ink(HWND control, int inset) const {
        RECT area;
        GetWindowRect(control, &area);
        RECT box{LONG_MAX, LONG_MAX, -1, -1};
        for (LONG y = area.top + inset; y < area.bottom - inset; ++y) {
            std::map<std::uint32_t, int> counts;
            for (LONG x = area.left + inset; x < area.right - inset; ++x) ++counts[at(x, y)];
            std::uint32_t face = 0;
            for (const auto& [colour, count] : counts)
                if (count > counts[face]) face = colour;
            for (LONG x = area.left + inset; x < area.right - inset; ++x) {
                if (!far_apart(at(x, y), face)) continue;
                box = RECT{std::min(box.left, x - area.left), std::min(box.top, y - area.top),
                           std::max(box.right, x - area.left + 1), std::max(box.bottom, y - area.top + 1)};
            }
        }
        return box;
    }

private:
    std::uint32_t at(LONG x, LONG y) const {
        return pixels_[static_cast<std::size_t>(y - place_.top) * width_ + (x - place_.left)];
    }
    static bool far_apart(std::uint32_t a, std::uint32_t b) {
        for (int shift : {0, 8, 16})
            if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 96) return true;
        return false;
    }

    RECT place_;
    LONG width_;
    std::vector<std::uint32_t> pixels_;
};

using Heights = std::map<std::uint32_t, LONG>;

// The height of the strokes of every caption on page 1, each checked to stand
// clear of its control's edges (a caption that does not fit is cut off there).
Heights caption_heights(const driver::Tool& tool, int dpi) {
    // The window paints a moment after it is shown or moved.
    Sleep(300);
    std::optional<ScreenCopy> screen;
    for (int tries = 0; tries < 20; ++tries, Sleep(100)) {
        screen.emplace(tool.window);
        const RECT ink = screen->ink(control(tool, ui::kNoticeButtonId), scaled(4, dpi));
        if (ink.bottom > ink.top) break;
    }
    Heights heights;
    for (const ui::ControlRecord& record : ui::kControls) {
        if (record.page == 2 || record.kind == ui::Kind::kTab || record.id == ui::kPathFieldId) continue;
        SCOPED_TRACE(gbk_to_utf8(record.name));
        // Inside a button's border and its rounded corners.
        const int inset = record.kind == ui::Kind::kButton ? scaled(4, dpi) : 0;
        const RECT ink = screen->ink(control(tool, record.id), inset);
        EXPECT_GT(ink.bottom, ink.top) << "no caption drawn";
        EXPECT_GT(ink.top, inset);
        EXPECT_LT(ink.bottom, scaled(record.height, dpi) - inset);
        EXPECT_LT(ink.right, scaled(record.width, dpi) - inset);
        heights[record.id] = ink.bottom - ink.top;
    }
    return heights;
}

// Each caption's strokes as many times taller than at 96 DPI as the DPI is.
void expect_heights_at(const Heights& heights, const Heights& at_96, int dpi) {
    for (const auto& [id, height] : heights) EXPECT_NEAR(height, scaled(at_96.at(id), dpi), 2) << std::hex << id;
}

// At each DPI: the window and every control where the scaled table puts them,
// and every caption of page 1 in a font grown with the DPI, never cut off.
TEST(LayoutAtDpi, TheTableScaledAndEveryCaptionInAFontOfTheScreensDpi) {
    Heights at_96;
    for (int dpi : kDpis) {
        SCOPED_TRACE(dpi);
        driver::Tool tool = driver::start_tool({}, static_cast<DWORD>(dpi));
        expect_layout_at(tool, dpi);
        RECT rect;
        GetWindowRect(tool.window, &rect);
        EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - scaled(811, dpi)) / 2);
        EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - scaled(472, dpi)) / 2);
        const Heights heights = caption_heights(tool, dpi);
        if (dpi == 96) at_96 = heights;
        else expect_heights_at(heights, at_96, dpi);
        EXPECT_EQ(driver::close_and_wait(tool), 0u);
    }
}

// Moved to a monitor of 96 DPI and back: the window takes the rectangle it is
// given, lays its controls out and draws its captions for each DPI in turn.
TEST(LayoutAtDpi, FollowsTheDpiOfTheMonitorItIsMovedTo) {
    driver::Tool tool = driver::start_tool({}, 144);
    const Heights at_144 = caption_heights(tool, 144);
    Heights at_96;
    for (int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        const RECT suggested{20, 30, 20 + scaled(811, dpi), 30 + scaled(472, dpi)};
        // The rectangle is read in the program's own memory.
        const test_support::RemoteBlock remote(tool.process.handle(), sizeof suggested);
        ASSERT_TRUE(remote.write(0, &suggested, sizeof suggested));
        SendMessageA(tool.window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote.at()));
        RECT rect;
        GetWindowRect(tool.window, &rect);
        EXPECT_TRUE(EqualRect(&rect, &suggested));
        expect_layout_at(tool, dpi);
        const Heights heights = caption_heights(tool, dpi);
        if (dpi == 96) at_96 = heights;
        else EXPECT_EQ(heights, at_144);
    }
    expect_heights_at(at_144, at_96, 144);
    EXPECT_EQ(driver::close_and_wait(tool), 0u);
}

}  // namespace
