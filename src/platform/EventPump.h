#pragma once
// Lets plain logic keep the windows alive while it waits: the windowed
// program installs a pump that processes pending events.
namespace EventPump {
using Pump = void (*)();
void Install(Pump pump);
void ProcessPending();
} // namespace EventPump

// Waits that long while keeping the windows responsive.
void Delay(int seconds, int milliseconds);
