// The main window built in this process: what another process cannot read
// (fonts, class background), the events the window reports, and property
// access to its controls.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include <gtest/gtest.h>

#include "ui/control_table.h"
#include "ui/main_window.h"
#include "ui/path_field.h"
#include "ui/properties.h"

namespace {

TEST(CentredPosition, TruncatesTowardZeroAlsoOnSmallScreens) {
    struct Case {
        int screen_width, screen_height;
        LONG left, top;
    };
    const Case cases[] = {
        {1280, 800, 234, 164},
        {1024, 768, 106, 148},  // 213 / 2 rounds down
        {811, 472, 0, 0},
        {800, 600, -5, 64},     // -11 / 2 is -5, not -6
        {640, 480, -85, 4},
        {0, 0, -405, -236},
    };
    for (const Case& c : cases) {
        const POINT p = ui::centred_position(c.screen_width, c.screen_height, 811, 472);
        EXPECT_EQ(p.x, c.left) << c.screen_width;
        EXPECT_EQ(p.y, c.top) << c.screen_height;
    }
}

struct Delivered {
    std::uint32_t window_id, control_id;
    ui::Event event;
};
std::vector<Delivered> delivered;

void record_event(std::uint32_t window_id, const ui::ControlRecord* record, ui::Event event) {
    delivered.push_back({window_id, record != nullptr ? record->id : 0, event});
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        delivered.clear();
        window = ui::create_main_window(record_event);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
        // The window's end posted the quit message; keep it from the next test.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    HWND window = nullptr;
};

TEST_F(MainWindow, IsCreatedHiddenWithEveryControlInTheGuiFont) {
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(ui::loaded_window(ui::kMainWindowId), window);
    EXPECT_EQ(ui::loaded_window(0x52010002), nullptr);
    EXPECT_EQ(GetClassLongPtrA(window, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
    const auto gui_font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ui::ControlRecord& record : ui::kControls) {
        HWND control = ui::control_window(record.id);
        ASSERT_NE(control, nullptr) << std::hex << record.id;
        EXPECT_EQ(static_cast<std::uint32_t>(GetDlgCtrlID(control)), record.id);
        EXPECT_EQ(static_cast<WPARAM>(SendMessageA(control, WM_GETFONT, 0, 0)), gui_font)
            << std::hex << record.id;
    }
}

TEST_F(MainWindow, ReportsClicksWithTheFullControlIdAndNothingForOtherControls) {
    SendMessageA(ui::control_window(0x16030022), BM_CLICK, 0, 0);  // 按钮34, on page 2
    SendMessageA(ui::control_window(ui::kNoticeButtonId), BM_CLICK, 0, 0);
    ASSERT_EQ(delivered.size(), 2u);
    EXPECT_EQ(delivered[0].window_id, ui::kMainWindowId);
    EXPECT_EQ(delivered[0].control_id, 0x16030022u);
    EXPECT_EQ(delivered[0].event, ui::Event::kClick);
    EXPECT_EQ(delivered[1].control_id, ui::kNoticeButtonId);
}

TEST_F(MainWindow, PathFieldCaptionRoundTrips) {
    EXPECT_EQ(ui::read_game_directory(), "标签");
    const char* texts[] = {"D:\\英雄联盟", "", "C:\\Program Files (x86)\\腾讯游戏\\英雄联盟"};
    for (const char* text : texts) {
        ui::write_game_directory(text);
        EXPECT_EQ(ui::read_game_directory(), text);
    }
    // A text ends at its first zero byte.
    ui::write_game_directory(std::string_view("E:\\LOL\0junk", 11));
    EXPECT_EQ(ui::read_game_directory(), "E:\\LOL");
}

TEST_F(MainWindow, CommonPropertiesFollowTheControl) {
    using namespace ui;
    const std::uint32_t label = 0x16020010;  // 透明标签16, page 2 at 240, 32
    EXPECT_EQ(get_number_property(kMainWindowId, label, kPropertyLeft), 240);
    EXPECT_EQ(get_number_property(kMainWindowId, label, kPropertyTop), 32);
    EXPECT_EQ(get_number_property(kMainWindowId, label, kPropertyWidth), 128);
    EXPECT_EQ(get_number_property(kMainWindowId, label, kPropertyHeight), 32);
    EXPECT_EQ(get_number_property(kMainWindowId, label, kPropertyVisible), 0);
    EXPECT_EQ(get_number_property(kMainWindowId, label, kPropertyDisabled), 0);
    EXPECT_EQ(get_number_property(kMainWindowId, label, 4), 0);
    EXPECT_EQ(get_text_property(kMainWindowId, label, kPropertyCaption), "源计划 雷");
    EXPECT_EQ(get_text_property(kMainWindowId, kTabControlId, kPropertyCaption), "");

    set_number_property(kMainWindowId, label, kPropertyLeft, 250);
    set_number_property(kMainWindowId, label, kPropertyWidth, 100);
    set_number_property(kMainWindowId, label, kPropertyDisabled, 1);
    EXPECT_EQ(get_number_property(kMainWindowId, label, kPropertyLeft), 250);
    EXPECT_EQ(get_number_property(kMainWindowId, label, kPropertyTop), 32);
    EXPECT_EQ(get_number_property(kMainWindowId, label, kPropertyWidth), 100);
    EXPECT_EQ(get_number_property(kMainWindowId, label, kPropertyDisabled), 1);
    set_text_property(kMainWindowId, label, kPropertyCaption, "新");
    EXPECT_EQ(get_text_property(kMainWindowId, label, kPropertyCaption), "新");

    // Selecting page 2 shows its rows.
    HWND tab = control_window(kTabControlId);
    SendMessageA(tab, TCM_SETCURFOCUS, 1, 0);
    EXPECT_EQ(get_number_property(kMainWindowId, label, kPropertyVisible), 1);
    EXPECT_EQ(get_number_property(kMainWindowId, 0x16020002, kPropertyVisible), 0);
}

TEST_F(MainWindow, IsForgottenOnceDestroyed) {
    DestroyWindow(window);
    EXPECT_EQ(ui::loaded_window(ui::kMainWindowId), nullptr);
    EXPECT_EQ(ui::control_window(ui::kPathFieldId), nullptr);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u) << "the end of the window ends the loop with code 0";
}

}  // namespace
