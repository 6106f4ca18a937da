#pragma once
// The default printer, as the system's print service reports it.

struct PrinterProbe {
    bool found = false;     // a default printer exists and answered
    double pageWidth = 0;   // printable page width in dots (portrait)
};

PrinterProbe ProbeDefaultPrinter();
