#include "main/Startup.h"

#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "shell/OrbSettings.h"
#include "shell/SharedState.h"

void ApplyStartupDefaults(const StartupEnvironment& env)
{
    ClearSharedState();

    ScreenAspect = env.screenWidth > 0 ? static_cast<long double>(env.screenHeight) / env.screenWidth : 0.75L;
    ScreenScale = env.screenWidth / 210.0L * ScreenAspect;
    ScreenScale37 = static_cast<float>(3.7L * ScreenScale);
    ScreenWidthPixels = env.screenWidth;
    ScreenHeightPixels = env.screenHeight;

    // The drawing state of a fresh start: screen scale, no zoom, no offset,
    // not printing, colour.
    PageScale = ScreenScale;
    FontScale = ScreenScale37;
    ZoomFactor = 1;
    StretchX = StretchY = 1;
    OriginX = OriginY = 0;
    AspectY = 1;
    PenWidthFactor = 1;
    ToPrinter = ToMetafile = false;
    PrintEnabled = true;
    BlackWhite = false;
    DrawFactorA = 0.35L;
    DrawFactorB = 0.4L;
    DrawFactorC = 1.0L;
    DrawFactorD = 1.0L;

    try {
        ReadOrbSettings();
    } catch (const IoError& e) {
        Dialogs::Error(ErrorMessageFor(e));
    }

    PrinterAvailable = env.printerFound;
    if (PrinterAvailable) {
        PrinterPageWidth = env.printerPageWidth == 0 ? 1000 : env.printerPageWidth;
        PrinterScale = PrinterPageWidth / 210.0L * 0.776L;
        PrinterLandscape = true;
    } else {
        PrinterPageWidth = 0;
        PrinterScale = 0;
        Dialogs::Warning("OCCORRE INSTALLARE DRIVER STAMPANTE - VEDERE MANUALE (inizio)");
    }
}
