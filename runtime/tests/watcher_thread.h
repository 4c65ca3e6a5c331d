#pragma once
// Runs a watcher on a thread of its own while the test thread sits in a
// modal loop (message box, folder dialog) of the code under test.
#include <windows.h>

#include <functional>

#include "win32/unique_handle.h"

namespace runtime_tests {

class WatcherThread {
public:
    explicit WatcherThread(std::function<void()> body) : body_(std::move(body)) {
        thread_.reset(CreateThread(nullptr, 0, &WatcherThread::run, this, 0, nullptr));
    }
    WatcherThread(const WatcherThread&) = delete;
    WatcherThread& operator=(const WatcherThread&) = delete;
    ~WatcherThread() { join(); }

    void join() {
        if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
    }

private:
    static DWORD WINAPI run(void* self) {
        static_cast<WatcherThread*>(self)->body_();
        return 0;
    }

    std::function<void()> body_;
    win32::UniqueKernelHandle thread_;
};

// A hidden top-level window of the test thread: a task-modal box or the
// folder dialog must disable it while it is up.
class TestWindow {
public:
    TestWindow()
        : window_(CreateWindowExA(0, "STATIC", "test", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                  nullptr, nullptr, nullptr)) {}
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow() { DestroyWindow(window_); }
    HWND get() const { return window_; }

private:
    HWND window_;
};

}  // namespace runtime_tests
