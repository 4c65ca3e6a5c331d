#include "app/startup.h"

#include <windows.h>

#include <string_view>

#include "packs/messages.h"
#include "runtime/browse_for_folder.h"
#include "runtime/declared_commands.h"
#include "runtime/files.h"
#include "runtime/message_box.h"
#include "runtime/program_end.h"
#include "runtime/registry.h"
#include "runtime/text.h"
#include "theme/interface_theme.h"
#include "ui/path_field.h"

namespace app {
namespace {

constexpr int kLocalMachineRoot = 4;
constexpr std::string_view kInstallPathValue = "Software\\Tencent\\LOL\\InstallPath";
constexpr std::string_view kFolderDialogTitle = "如;E\\英雄联盟";
constexpr std::string_view kGameMarkerSuffix = "\\TCLS\\Client.exe";
constexpr std::string_view kWrongChoiceMessage = "路径选择错误";
constexpr SIZE_T kWorkingSetMinimum = 50000;
constexpr SIZE_T kWorkingSetMaximum = 100000;

// The folder picked in the dialog; lives until the program ends.
runtime::Text chosen_directory;

// Once, right after the theme is in: what start-up touched need not stay
// resident. Whether the system honours the bounds does not matter.
void trim_working_set() {
    const HANDLE process = runtime::get_current_process();
    runtime::set_process_working_set_size(process, kWorkingSetMinimum, kWorkingSetMaximum);
}

void show_message(std::string_view text) { runtime::message_box(text, 0, runtime::kMessageTitle); }

// The folder is the game's when the client lies below it. A cancelled dialog
// gives the empty text; it is never a choice, even when the current drive
// happens to hold "\TCLS\Client.exe" at its root.
bool is_game_directory(std::string_view folder) {
    return !folder.empty() && runtime::file_exists(runtime::join_texts({folder, kGameMarkerSuffix}));
}

}  // namespace

void release_chosen_directory() { runtime::Text().swap(chosen_directory); }

void run_startup() {
    theme::select_interface_theme(theme::kStartupTheme);
    trim_working_set();

    ui::write_game_directory(
        runtime::to_upper_case(runtime::read_registry_text(kLocalMachineRoot, kInstallPathValue)));
    if (runtime::text_length(ui::read_game_directory()) == 0) {
        // No game known: keep running with an empty field; the buttons then
        // refuse to write anywhere.
        show_message(packs::kNoGameDirectoryMessage);
        return;
    }

    chosen_directory = runtime::browse_for_folder(kFolderDialogTitle);
    if (is_game_directory(chosen_directory)) {
        ui::write_game_directory(chosen_directory);  // as the dialog gave it, not upper-cased
        return;
    }
    show_message(kWrongChoiceMessage);
    runtime::end_program(0);
}

}  // namespace app
