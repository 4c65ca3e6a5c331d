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
    case ui::Operation::startup: run_startup(); break;
    case ui::Operation::group_notice: show_group_notice(); break;
    case ui::Operation::apply_entry: apply_entry(binding.entry); break;
    case ui::Operation::restore_entry: restore_entry(binding.entry); break;
    case ui::Operation::none: break;
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
