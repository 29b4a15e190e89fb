// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <thread>

namespace orvane::test {

// Waits until `done` yields true, checking every 20 ms; false when `timeout` passed first.
// Only for what happens outside this process (a peer, a child); the program's own timers
// are driven by calling their handlers.
template<typename Predicate>
bool waitFor(Predicate done, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

} // namespace orvane::test
