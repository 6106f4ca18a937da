#pragma once
// Geometry of the screen the program runs on, pixels.
struct ScreenRect {
    int left = 0, top = 0, width = 0, height = 0;
};
ScreenRect PrimaryScreen();          // whole screen
ScreenRect PrimaryScreenAvailable(); // without panels and docks
