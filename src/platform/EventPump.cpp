#include "platform/EventPump.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace EventPump {
namespace {
Pump g_pump = nullptr;
}
void Install(Pump pump)
{
    g_pump = pump;
}
void ProcessPending()
{
    if (g_pump)
        g_pump();
}
} // namespace EventPump

void Delay(int seconds, int milliseconds)
{
    using clock = std::chrono::steady_clock;
    const auto wait = std::chrono::milliseconds(static_cast<long long>(seconds) * 1000 + milliseconds);
    const auto deadline = clock::now() + wait;
    EventPump::ProcessPending();
    while (clock::now() < deadline) {
        const auto left = deadline - clock::now();
        std::this_thread::sleep_for(std::min<clock::duration>(left, std::chrono::milliseconds(5)));
        EventPump::ProcessPending();
    }
}
