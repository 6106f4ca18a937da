#include "platform/EventPump.h"

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
