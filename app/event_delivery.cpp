#include "app/event_delivery.h"

#include "app/group_notice.h"
#include "app/startup.h"
#include "packs/entry_buttons.h"
#include "runtime/fatal_error.h"
#include "runtime/program_end.h"
#include "ui/main_window.h"
#include "ui/path_field.h"

namespace app {
namespace {

constexpr char kWindowNotFound[] = "未找到引发事件的窗口";
constexpr char kControlNotFound[] = "未找到引发事件的窗口组件";

void run(const ui::Binding& binding) {
    switch (binding.operation) {
    case ui::Operation::kStartup: run_startup(); break;
    case ui::Operation::kGroupNotice: show_group_notice(); break;
    // The buttons of each row run their own catalogue entry's operation over
    // the game directory in the path field.
    case ui::Operation::kApplyEntry: packs::apply_pack(binding.entry, ui::read_game_directory); break;
    case ui::Operation::kRestoreEntry: packs::restore_pack(binding.entry, ui::read_game_directory); break;
    case ui::Operation::kNone: break;
    }
}

}  // namespace

void deliver_event(std::uint32_t window_id, const ui::ControlRecord* record, ui::Event event) {
    if (runtime::end_under_way()) return;
    if (ui::loaded_window(window_id) == nullptr) runtime::fatal_error(0, kWindowNotFound);
    if (record == nullptr) runtime::fatal_error(0, kControlNotFound);
    if (record->binding.event != event) return;
    run(record->binding);
}

}  // namespace app
