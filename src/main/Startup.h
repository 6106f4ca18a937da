#pragma once
// Shared defaults set before any window exists.

struct StartupEnvironment {
    int screenWidth = 0;        // pixels
    int screenHeight = 0;       // pixels
    bool printerFound = false;  // a default printer answered
    double printerPageWidth = 0; // dots, as the printer reports it
};

// Clears the shared state, derives the screen factors, reads the orb
// settings (an I/O error is reported and the defaults stay) and records the
// printer: with no printer the warning "OCCORRE INSTALLARE DRIVER STAMPANTE -
// VEDERE MANUALE (inizio)" is shown once and the program goes on.
void ApplyStartupDefaults(const StartupEnvironment& env);
