#include "app/tests/driver/presses.h"

#include <iterator>

#include <gtest/gtest.h>

#include "tests/support/box_watcher.h"
#include "tests/support/deadline.h"
#include "ui/control_table.h"

namespace driver {

std::string bytes_of(runtime::ByteSet bytes) {
    return std::string(reinterpret_cast<const char*>(bytes.data), bytes.size);
}

DWORD file_size(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0xFFFFFFFF;
    return data.nFileSizeLow;
}

bool file_missing(const std::string& path) {
    return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

std::string press(const Tool& tool, std::uint32_t id) {
    PostMessageA(control(tool, id), BM_CLICK, 0, 0);
    auto box = test_support::wait_for_message_box(tool.process.id(), kTimeoutMs);
    if (!box) {
        ADD_FAILURE() << "no box after pressing " << std::hex << id;
        return {};
    }
    EXPECT_EQ(box->title, "提示");
    EXPECT_EQ(box->owner, nullptr);
    EXPECT_FALSE(IsWindowEnabled(tool.window)) << "the box must be task-modal";
    EXPECT_TRUE(box->all_other_windows_disabled());
    EXPECT_TRUE(test_support::close_message_box(*box));
    // The box is gone a moment before its modal loop enables the window again.
    EXPECT_TRUE(test_support::poll_until(kTimeoutMs,
                                         [&] { return IsWindowEnabled(tool.window) != FALSE; }));
    return box->text;
}

void type_keys(std::initializer_list<WORD> keys) {
    INPUT inputs[8]{};
    UINT count = 0;
    for (WORD key : keys) inputs[count++].ki.wVk = key;
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) inputs[count++].ki = {*key, 0, KEYEVENTF_KEYUP, 0, 0};
    for (UINT i = 0; i < count; ++i) inputs[i].type = INPUT_KEYBOARD;
    SendInput(count, inputs, sizeof(INPUT));
}

// The row's "修改" comes right before its "恢复".
std::pair<std::uint32_t, std::uint32_t> row_buttons(int entry) {
    for (std::size_t i = 0; i + 1 < ui::kControls.size(); ++i) {
        if (ui::kControls[i].binding.operation == ui::Operation::kApplyEntry && ui::kControls[i].binding.entry == entry)
            return {ui::kControls[i].id, ui::kControls[i + 1].id};
    }
    ADD_FAILURE() << "no row for entry " << entry;
    return {};
}

}  // namespace driver
