#pragma once
// Polling with a deadline: other processes' windows come and go at their own
// pace, so tests wait for a state rather than sleeping a fixed time.
#include <windows.h>

namespace test_support {

inline constexpr DWORD kPollIntervalMs = 20;

class Deadline {
public:
    explicit Deadline(DWORD timeout_ms) : end_(GetTickCount64() + timeout_ms) {}
    bool passed() const { return GetTickCount64() >= end_; }

private:
    ULONGLONG end_;
};

// Calls `probe` every 20 ms until it returns a truthy value or the deadline
// passes; returns the last value.
template <typename Probe>
auto poll_until(DWORD timeout_ms, Probe probe) {
    const Deadline deadline(timeout_ms);
    for (;;) {
        auto value = probe();
        if (value || deadline.passed()) return value;
        Sleep(kPollIntervalMs);
    }
}

}  // namespace test_support
