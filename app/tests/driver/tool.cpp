#include "app/tests/driver/tool.h"

#include <commctrl.h>
#include <oleacc.h>

#include <memory>
#include <stdexcept>
#include <utility>

#include "app/tests/driver/install_path.h"
#include "app/tests/driver/program_under_test.h"
#include "tests/support/box_watcher.h"
#include "tests/support/deadline.h"
#include "tests/support/remote_memory.h"
#include "tests/support/window_search.h"
#include "tests/support/window_text.h"
#include "ui/control_table.h"
#include "win32/dpi.h"

namespace driver {
namespace {

constexpr char kNoGameFolder[] = "没找到路径";

HWND shown_main_window(DWORD process_id) {
    const HWND window = startup_driver::find_main_window(process_id);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

}  // namespace

std::string tool_path() { return test_support::own_directory() + "\\skin_pack_tool.exe"; }

Tool start_tool(std::string_view current_directory, DWORD dpi) {
    // The program's windows in the screen's pixels: a driver that declares
    // no DPI awareness is shown them scaled to 96 DPI.
    win32::become_per_monitor_aware();
    // Start-up reads the game folder from the registry; a value left by another
    // test would open the folder dialog instead of the window.
    auto no_game_folder = std::make_unique<startup_driver::InstallPathValue>(std::nullopt);
    auto screen_dpi = dpi != 0 ? std::make_unique<startup_driver::ScreenDpiValue>(dpi) : nullptr;
    Tool tool{test_support::ChildProcess(tool_path(), {}, current_directory), nullptr, std::move(no_game_folder),
              std::move(screen_dpi)};
    const test_support::Deadline deadline(kTimeoutMs);
    while (!deadline.passed()) {
        tool.window = shown_main_window(tool.process.id());
        if (tool.window != nullptr) return tool;
        if (auto box = test_support::wait_for_message_box(tool.process.id(), 0)) {
            if (box->text != kNoGameFolder)
                throw std::runtime_error("unexpected box at start: " + box->text_utf8());
            test_support::close_message_box(*box);
        }
        if (!tool.process.running()) throw std::runtime_error("the program ended at start");
        Sleep(test_support::kPollIntervalMs);
    }
    throw std::runtime_error("no main window within the deadline");
}

HWND control(const Tool& tool, std::uint32_t id) {
    return test_support::find_child(tool.window, static_cast<int>(id));
}

RECT rect_in_parent(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LONG style(HWND window) { return GetWindowLongA(window, GWL_STYLE); }
LONG ex_style(HWND window) { return GetWindowLongA(window, GWL_EXSTYLE); }

void select_page(const Tool& tool, int page) {
    SendMessageA(control(tool, ui::kTabControlId), TCM_SETCURFOCUS, page - 1, 0);
}

std::string tab_caption(const Tool& tool, HWND tab, int index) {
    constexpr int kTextSize = 64;
    const test_support::RemoteBlock remote(tool.process.handle(), sizeof(TCITEMA) + kTextSize);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = remote.at(sizeof item);
    item.cchTextMax = kTextSize;
    char text[kTextSize] = {};
    if (!remote.write(0, &item, sizeof item) || !remote.write(sizeof item, text, sizeof text) ||
        !SendMessageA(tab, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(remote.at())) ||
        !remote.read(sizeof item, text, sizeof text))
        return {};
    text[kTextSize - 1] = '\0';
    return text;
}

RECT tab_item_rect(const Tool& tool, HWND tab, int index) {
    const test_support::RemoteBlock remote(tool.process.handle(), sizeof(RECT));
    RECT rect{};
    if (!SendMessageA(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote.at())) ||
        !remote.read(0, &rect, sizeof rect))
        return RECT{};
    return rect;
}

HWND focused_window(const Tool& tool) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(tool.window, nullptr);
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

void set_game_directory(const Tool& tool, std::string_view directory) {
    // The W form: the text crosses the process boundary unchanged.
    const std::wstring wide = test_support::code_page_to_wide(directory, test_support::kGbk);
    SendMessageW(control(tool, ui::kPathFieldId), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(wide.c_str()));
}

namespace {

// One text of the object (GBK), empty where it gives none.
template <typename Ask>
std::string spoken_text(Ask ask) {
    BSTR text = nullptr;
    const HRESULT asked = ask(&text);
    std::string gbk = SUCCEEDED(asked) && text != nullptr ? test_support::wide_to_code_page(text, test_support::kGbk) : "";
    SysFreeString(text);
    return gbk;
}

}  // namespace

Spoken spoken(HWND window, LONG object_id) {
    // The calls go to the program through COM: this thread joins an apartment once.
    static const HRESULT apartment = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible* object = nullptr;
    Spoken said{AccessibleObjectFromWindow(window, static_cast<DWORD>(object_id), __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&object)), {}, {}, {}, 0};
    if (FAILED(apartment) || FAILED(said.found) || object == nullptr) return said;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    said.name = spoken_text([&](BSTR* text) { return object->get_accName(self, text); });
    said.value = spoken_text([&](BSTR* text) { return object->get_accValue(self, text); });
    said.description = spoken_text([&](BSTR* text) { return object->get_accDescription(self, text); });
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) said.role = role.lVal;
    object->Release();
    return said;
}

std::optional<DWORD> close_and_wait(Tool& tool) {
    const DWORD code = startup_driver::close_and_wait(tool.process, tool.window);
    if (code == STILL_ACTIVE) return std::nullopt;
    return code;
}

}  // namespace driver
