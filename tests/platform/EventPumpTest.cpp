// Delay: the wait lasts as long as asked while the installed pump keeps the
// windows alive throughout.
#include "platform/EventPump.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

int g_pumpCalls = 0;
void CountingPump()
{
    ++g_pumpCalls;
}

TEST(Delay, WaitsWhileKeepingWindowsAlive)
{
    using clock = std::chrono::steady_clock;
    g_pumpCalls = 0;
    EventPump::Install(&CountingPump);
    auto start = clock::now();
    Delay(0, 40);
    const auto shortWait = clock::now() - start;
    const int callsInShortWait = g_pumpCalls;
    start = clock::now();
    Delay(1, 0);
    const auto longWait = clock::now() - start;
    EventPump::Install(nullptr);

    EXPECT_GE(shortWait, std::chrono::milliseconds(40));
    EXPECT_GE(callsInShortWait, 3); // the pump runs throughout the wait, not once
    EXPECT_GE(longWait, std::chrono::seconds(1));
}

} // namespace
