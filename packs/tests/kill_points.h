#pragma once
// What the kill test and its helper process agree on.

namespace packs_test {

constexpr unsigned kKilled = 77;  // the helper's exit code when it ended itself
constexpr int kKilledEntry = 16;  // the largest pack

}  // namespace packs_test
