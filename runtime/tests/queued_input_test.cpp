#include "runtime/queued_input.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "watcher_thread.h"

namespace {

// Keys and clicks go, in every form; whatever waits among them stays: posted
// messages, a paint, a timer and the quit message.
TEST(QueuedInput, OnlyKeyboardAndMouseInputIsDiscarded) {
    const runtime_tests::TestWindow window;
    ShowWindow(window.get(), SW_SHOWNOACTIVATE);
    UpdateWindow(window.get());
    struct Case {
        UINT message;
        bool input;
    };
    const Case cases[] = {
        {WM_KEYDOWN, true},         {WM_COMMAND, false},      {WM_CHAR, true},
        {WM_SYSKEYUP, true},        {WM_LBUTTONDOWN, true},   {WM_MOUSEHWHEEL, true},
        {WM_PARENTNOTIFY, false},   {WM_NCLBUTTONDOWN, true}, {WM_NCXBUTTONDBLCLK, true},
        {WM_USER, false},
    };
    std::vector<UINT> kept = {WM_PAINT, WM_TIMER, WM_QUIT};
    for (const Case& c : cases) {
        ASSERT_TRUE(PostMessageA(window.get(), c.message, 0, 0));
        if (!c.input) kept.push_back(c.message);
    }
    InvalidateRect(window.get(), nullptr, FALSE);
    SetTimer(window.get(), 1, USER_TIMER_MINIMUM, nullptr);
    PostQuitMessage(0);
    Sleep(50);  // the timer is due

    runtime::discard_queued_input();

    std::vector<UINT> left;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.hwnd != window.get() && message.message != WM_QUIT) continue;
        left.push_back(message.message);
        if (message.message == WM_PAINT) ValidateRect(window.get(), nullptr);
        if (message.message == WM_TIMER) KillTimer(window.get(), 1);
    }
    std::sort(left.begin(), left.end());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(left, kept);
}

}  // namespace
