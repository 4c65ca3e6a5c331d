#pragma once
// What every start that is not given a game folder ends with: the folder
// dialog cancelled, the box "路径选择错误", and exit code 0 once it is closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "tests/support/box_watcher.h"
#include "tests/support/child_process.h"
#include "tests/support/folder_dialog.h"

namespace startup_test {

inline void cancel_the_folder_choice(const test_support::ChildProcess& program, DWORD timeout_ms) {
    const HWND dialog = test_support::wait_for_folder_dialog(program.id(), timeout_ms);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(test_support::press_button(dialog, IDCANCEL));
    const auto box = test_support::wait_for_message_box(program.id(), timeout_ms);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "路径选择错误") << box->text_utf8();
    ASSERT_TRUE(test_support::press_ok(box->box));
    EXPECT_EQ(program.wait(timeout_ms), std::optional<DWORD>(0));
}

}  // namespace startup_test
