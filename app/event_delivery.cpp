#include "app/event_delivery.h"

#include "app/entry_operations.h"
#include "app/group_notice.h"
#include "app/startup.h"
#include "runtime/fatal_error.h"
#include "runtime/program_end.h"
#include "ui/main_window.h"

namespace app {
namespace {

constexpr char kWindowNotFound[] = "未找到引发事件的窗口";
constexpr char kControlNotFound[] = "未找到引发事件的窗口组件";

void run(const ui::Binding& binding) {
    switch (binding.operation) {
    case ui::Operation::kStartup: run_startup(); break;
    case ui::Operation::kGroupNotice: show_group_notice(); break;
    case ui::Operation::kApplyEntry: apply_entry(binding.entry); break;
    case ui::Operation::kRestoreEntry: restore_entry(binding.entry); break;
    case ui::Operation::kNone: break;
    }
}

}  // namespace

void deliver_event(std::uint32_t window_id, std::uint32_t control_id, ui::Event event) {
    if (runtime::end_under_way()) return;
    if (ui::loaded_window(window_id) == nullptr) runtime::fatal_error(0, kWindowNotFound);
    const ui::ControlRecord* record = ui::find_record(control_id);
    if (record == nullptr) runtime::fatal_error(0, kControlNotFound);
    if (record->binding.event != event) return;
    run(record->binding);
}

}  // namespace app
