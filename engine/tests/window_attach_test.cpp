// The attach call inside a GUI thread: which windows take the theme (those
// that exist, those created later, message boxes, the folder dialog), every
// theme attaching, refusals that change nothing, and a clean life cycle.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "engine/tests/embedded_themes.h"
#include "engine/tests/engine_host.h"
#include "engine/tests/window_checks.h"

namespace engine_test {
namespace {

using engine::Role;

void expect_sample_themed(const Sample& s, const engine::Theme& theme) {
    const Capture frame(s.frame);
    EXPECT_TRUE(close_to(frame.at(230, 40), theme[Role::kWindow])) << std::hex << frame.at(230, 40);

    // The opaque label takes the frame's colour from the theme too.
    const Capture label_on_frame(s.label);
    EXPECT_TRUE(close_to(label_on_frame.at(label_on_frame.width() - 2, 1), theme[Role::kWindow]));

    const Capture button(s.button);
    EXPECT_TRUE(close_to(face_pixel(button, theme), theme[Role::kButtonFace]))
        << std::hex << face_pixel(button, theme);
    EXPECT_TRUE(close_to(button.at(button.width() / 2, 0), theme[Role::kButtonBorder]));

    const Capture tab(s.tab);
    EXPECT_TRUE(close_to(tab.at(tab.width() - 5, 3), theme[Role::kTabStrip]));
    EXPECT_TRUE(close_to(tab.at(300, 150), theme[Role::kTabBody]));

    // Nothing of its own where there is no text: the tab body shows through.
    const Capture label(s.tab_label);
    EXPECT_TRUE(close_to(label.at(label.width() - 2, 1), theme[Role::kTabBody]))
        << std::hex << label.at(label.width() - 2, 1);

    const Capture tab_button(s.tab_button);
    EXPECT_TRUE(close_to(face_pixel(tab_button, theme), theme[Role::kButtonFace]));
}

TEST(Engine, ExportIsFoundByNameAndNeedsOnlySystemDlls) {
    ASSERT_NE(attach_function(), nullptr);
    auto* base = reinterpret_cast<unsigned char*>(engine_module());
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         import->Name != 0; ++import) {
        const std::string name = reinterpret_cast<const char*>(base + import->Name);
        bool system = false;
        for (const char* allowed : {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll"}) {
            system = system || lstrcmpiA(name.c_str(), allowed) == 0;
        }
        EXPECT_TRUE(system) << name;
    }
}

TEST(Engine, ExistingWindowsTakeTheDefaultTheme) {
    const engine::Theme theme = theme_number(5);
    on_fresh_thread([&] {
        const Sample s = create_sample();
        ASSERT_EQ(attach_and_pump(5), engine::kAttached);
        expect_sample_themed(s, theme);
        DestroyWindow(s.frame);
    });
}

TEST(Engine, WindowsCreatedAfterTheCallTakeTheTheme) {
    const engine::Theme theme = theme_number(5);
    on_fresh_thread([&] {
        const Sample first = create_sample();
        ASSERT_EQ(attach(theme_container(5)), engine::kAttached);  // the buffer is gone after this
        const Sample later = create_sample(80, 80);
        expect_sample_themed(later, theme);
        DestroyWindow(later.frame);
        DestroyWindow(first.frame);
    });
}

struct BoxPixels {
    bool seen = false;
    COLORREF background = CLR_INVALID, text_corner = CLR_INVALID, ok_face = CLR_INVALID;
    int ok_height = 0;
} box;
int box_ticks = 0;

BOOL CALLBACK find_box(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK look_at_box(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_box, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr && ++box_ticks < 200) return;
    KillTimer(nullptr, timer);
    if (dialog == nullptr) return;
    box.seen = true;
    {
        const Capture whole(dialog);
        box.background = whole.at(3, 3);
        const Capture text(GetDlgItem(dialog, 0xFFFF));
        box.text_corner = text.at(text.width() - 1, 0);
        HWND ok = GetDlgItem(dialog, IDOK);
        const Capture face(ok);
        // Between the default border (two rows) and the focus ring.
        box.ok_face = face.at(face.width() / 2, face.height() - 3);
        box.ok_height = face.height();
        PostMessageA(ok, BM_CLICK, 0, 0);
    }
}

TEST(Engine, MessageBoxCreatedAfterTheCallTakesTheTheme) {
    const engine::Theme theme = theme_number(5);
    on_fresh_thread([&] {
        const Sample s = create_sample();
        ASSERT_EQ(attach(theme_container(5)), engine::kAttached);
        box = BoxPixels{};
        box_ticks = 0;
        SetTimer(nullptr, 0, 20, look_at_box);
        MessageBoxA(nullptr, "路径选择错误", "提示", MB_OK | MB_TASKMODAL);
        ASSERT_TRUE(box.seen);
        EXPECT_TRUE(close_to(box.background, theme[Role::kDialog])) << std::hex << box.background;
        EXPECT_TRUE(close_to(box.text_corner, theme[Role::kDialog])) << std::hex << box.text_corner;
        EXPECT_TRUE(close_to(box.ok_face, theme[Role::kButtonFace])) << std::hex << box.ok_face;
        DestroyWindow(s.frame);
    });
}

struct FolderDialogLook {
    bool seen = false;
    COLORREF background = CLR_INVALID, tree = CLR_INVALID;
} folder;

int CALLBACK look_at_folder_dialog(HWND dialog, UINT message, LPARAM, LPARAM) {
    if (message != BFFM_INITIALIZED) return 0;
    folder.seen = true;
    {
        const Capture whole(dialog);
        folder.background = whole.at(3, 3);
    }
    HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    folder.tree = static_cast<COLORREF>(SendMessageA(tree, TVM_GETBKCOLOR, 0, 0));
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return 0;
}

TEST(Engine, FolderDialogTakesTheTheme) {
    const engine::Theme theme = theme_number(5);
    on_fresh_thread([&] {
        CoInitialize(nullptr);
        const Sample s = create_sample();
        ASSERT_EQ(attach(theme_container(5)), engine::kAttached);
        folder = FolderDialogLook{};
        BROWSEINFOA request{};
        request.hwndOwner = s.frame;
        request.lpszTitle = "请选择游戏目录";
        request.ulFlags = BIF_RETURNONLYFSDIRS;
        request.lpfn = look_at_folder_dialog;
        if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&request)) CoTaskMemFree(chosen);
        ASSERT_TRUE(folder.seen);
        EXPECT_TRUE(close_to(folder.background, theme[Role::kDialog])) << std::hex << folder.background;
        EXPECT_TRUE(close_to(folder.tree, theme[Role::kField])) << std::hex << folder.tree;
        DestroyWindow(s.frame);
        CoUninitialize();
    });
}

TEST(Engine, RefusedThemeLeavesWindowsUntouched) {
    const engine::Theme theme = theme_number(5);
    on_fresh_thread([&] {
        const Sample s = create_sample();
        const Capture frame_before(s.frame), button_before(s.button), tab_before(s.tab);
        Bytes broken = theme_container(5);
        broken[broken.size() / 2] ^= 0x55;
        broken[6] ^= 1;  // and a size that disagrees
        EXPECT_NE(attach(broken), engine::kAttached);
        EXPECT_EQ(attach(Bytes{}), engine::kNullTheme);
        pump();
        EXPECT_TRUE(Capture(s.frame) == frame_before);
        EXPECT_TRUE(Capture(s.button) == button_before);
        EXPECT_TRUE(Capture(s.tab) == tab_before);
        // Nor does a refusal disturb a theme in force.
        ASSERT_EQ(attach(theme_container(5)), engine::kAttached);
        EXPECT_NE(attach(broken), engine::kAttached);
        const Sample later = create_sample(60, 60);
        expect_sample_themed(later, theme);
        DestroyWindow(later.frame);
        DestroyWindow(s.frame);
    });
}

TEST(Engine, HookAndResourcesGoWithTheLastWindow) {
    on_fresh_thread([&] {
        const long before = engine_gdi_objects();
        const Sample s = create_sample();
        ASSERT_EQ(attach_and_pump(5), engine::kAttached);
        EXPECT_GT(engine_gdi_objects(), before);  // brushes and font of the theme
        DestroyWindow(s.frame);
        EXPECT_EQ(engine_gdi_objects(), before);

        const Sample after = create_sample();
        const Capture frame(after.frame);
        EXPECT_TRUE(close_to(frame.at(230, 40), GetSysColor(COLOR_BTNFACE), 0))
            << "a window created after the last one went is still skinned";
        DestroyWindow(after.frame);
    });
}

TEST(Engine, ThreadEndingReleasesItsSkin) {
    const long before = engine_gdi_objects();
    on_fresh_thread([&] { ASSERT_EQ(attach(theme_container(5)), engine::kAttached); });
    EXPECT_EQ(engine_gdi_objects(), before);
}

TEST(Engine, NoGdiObjectLeaksOverHundredWindows) {
    on_fresh_thread([&] {
        const Sample keeper = create_sample();
        ASSERT_EQ(attach_and_pump(5), engine::kAttached);
        const long settled = engine_gdi_objects();
        for (int i = 0; i < 100; ++i) {
            const Sample s = create_sample(20 + i % 10, 20 + i % 7);
            SendMessageA(s.button, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
            SendMessageA(s.tab_button, BM_SETSTATE, TRUE, 0);
            RedrawWindow(s.frame, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            { const Capture c(s.tab_label); }
            DestroyWindow(s.frame);
            pump();
        }
        EXPECT_EQ(engine_gdi_objects(), settled);
        DestroyWindow(keeper.frame);
    });
}

TEST(Engine, EveryThemeAttaches) {
    on_fresh_thread([&] {
        const Sample s = create_sample();
        for (int n = 1; n <= kThemeCount; ++n) {
            ASSERT_EQ(attach(theme_container(n)), engine::kAttached) << n;
            const engine::Theme theme = theme_number(n);
            const Capture frame(s.frame);
            EXPECT_TRUE(close_to(frame.at(230, 40), theme[Role::kWindow])) << "theme " << n;
        }
        DestroyWindow(s.frame);
    });
}

}  // namespace
}  // namespace engine_test
