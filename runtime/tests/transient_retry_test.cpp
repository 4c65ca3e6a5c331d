#include "runtime/transient_retry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<DWORD> pauses;
void record_pause(DWORD milliseconds) { pauses.push_back(milliseconds); }

// A step that fails `failures` times with `error`, then succeeds.
TEST(RetryWhileTransient, WaitsOutAHoldAndNothingElse) {
    struct Case { DWORD error; int failures; DWORD result; std::vector<DWORD> waits; };
    const Case cases[] = {
        {ERROR_SHARING_VIOLATION, 0, 0, {}},
        {ERROR_SHARING_VIOLATION, 1, 0, {50}},
        {ERROR_LOCK_VIOLATION, 3, 0, {50, 100, 200}},
        {ERROR_ACCESS_DENIED, 5, 0, {50, 100, 200, 400, 800}},
        // Held for good: the budget (1.55 s) is spent, the hold is reported.
        {ERROR_SHARING_VIOLATION, 6, ERROR_SHARING_VIOLATION, {50, 100, 200, 400, 800}},
        // Nothing will change by waiting.
        {ERROR_FILE_NOT_FOUND, 2, ERROR_FILE_NOT_FOUND, {}},
        {ERROR_DISK_FULL, 2, ERROR_DISK_FULL, {}},
    };
    for (const Case& c : cases) {
        pauses.clear();
        int tries = 0;
        const DWORD result = runtime::retry_while_transient(
            [&] { return ++tries <= c.failures ? c.error : DWORD{0}; }, record_pause);
        EXPECT_EQ(result, c.result) << c.error << " x" << c.failures;
        EXPECT_EQ(pauses, c.waits) << c.error << " x" << c.failures;
    }
}

}  // namespace
