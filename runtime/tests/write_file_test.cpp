#include "runtime/write_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recorded_file_steps.h"
#include "tests/support/temp_directory.h"

namespace {

using test_support::StepFailure;

TEST(WriteFile, StepsRetriesAndCleanUp) {
    const std::vector<std::string> kWritten = {"open target.tmp", "write target.tmp", "flush target.tmp", "close target.tmp"};
    const auto then = [&](std::vector<std::string> more) {
        std::vector<std::string> steps = kWritten;
        steps.insert(steps.end(), more.begin(), more.end());
        return steps;
    };
    const std::string kMove = "move target.tmp>target";
    struct Case { StepFailure failure; DWORD result; std::vector<std::string> steps; bool replace = true; };
    const Case cases[] = {
        {{"", 0, 0}, 0, then({kMove})},
        // A scanner holds the new file for a moment.
        {{"move", ERROR_SHARING_VIOLATION, 2}, 0, then({kMove, "pause 50", kMove, "pause 100", kMove})},
        // Held for good: the budget is spent; nothing was created, nothing deleted.
        {{"open", ERROR_SHARING_VIOLATION, 9}, ERROR_SHARING_VIOLATION,
         {"open target.tmp", "pause 50", "open target.tmp", "pause 100", "open target.tmp", "pause 200", "open target.tmp",
          "pause 400", "open target.tmp", "pause 800", "open target.tmp"}},
        {{"write", ERROR_DISK_FULL, 1}, ERROR_DISK_FULL, {"open target.tmp", "write target.tmp", "close target.tmp", "remove target.tmp"}},
        {{"flush", ERROR_IO_DEVICE, 1}, ERROR_IO_DEVICE,
         {"open target.tmp", "write target.tmp", "flush target.tmp", "close target.tmp", "remove target.tmp"}},
        {{"close", ERROR_NETNAME_DELETED, 1}, ERROR_NETNAME_DELETED, then({"remove target.tmp"})},
        {{"move", ERROR_PATH_NOT_FOUND, 1}, ERROR_PATH_NOT_FOUND, then({kMove, "remove target.tmp"})},
        // A write that must not replace keeps what is there.
        {{"", 0, 0}, ERROR_ALREADY_EXISTS, then({kMove, "remove target.tmp"}), false},
    };
    for (const Case& c : cases) {
        const test_support::TempDirectory folder;
        ASSERT_TRUE(folder.write("target", "old"));
        test_support::start_recording(c.failure);
        const std::string bytes = "new bytes";
        const runtime::ByteSet contents{reinterpret_cast<const unsigned char*>(bytes.data()),
                                        static_cast<std::uint32_t>(bytes.size())};
        EXPECT_EQ(runtime::write_file(folder.path_of("target"), contents, {nullptr, {}, 0, c.replace},
                                      test_support::recording_file_steps()),
                  c.result)
            << c.failure.step;
        EXPECT_EQ(test_support::recorded_steps(), c.steps) << c.failure.step;
        EXPECT_EQ(test_support::move_without_flush(test_support::recorded_steps()), "");
        EXPECT_EQ(folder.read("target"), c.result == 0 ? bytes : "old") << c.failure.step;
        EXPECT_FALSE(folder.read("target.tmp")) << c.failure.step;
    }
}

}  // namespace
