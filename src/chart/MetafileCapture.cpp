#include "chart/MetafileCapture.h"

#include "platform/Emf.h"
#include "shell/SharedState.h"

#include <algorithm>
#include <memory>
#include <string>

namespace {
// The metafile being captured; MetafileCanvas points at it while it is open.
std::unique_ptr<EmfCanvas>& Capture()
{
    static std::unique_ptr<EmfCanvas> capture;
    return capture;
}

void CloseCapture()
{
    MetafileCanvas = nullptr;
    Capture().reset();
}
} // namespace

void BeginCapture()
{
    if (!ToMetafile)
        return;
    CloseCapture();
    const bool portrait = PrinterAvailable && !PrinterLandscape;
    const int width = std::max(1, ScreenWidthPixels);
    const int height = std::max(1, ScreenHeightPixels) * (portrait ? 2 : 1);
    Capture() = std::make_unique<EmfCanvas>(CanvasSize {width, height});
    MetafileCanvas = Capture().get();
}

void EndCapture(std::string_view name)
{
    // Taken out first: whatever the save does, the capture is closed.
    std::unique_ptr<EmfCanvas> canvas = std::move(Capture());
    MetafileCanvas = nullptr;
    if (!ToMetafile || !canvas)
        return;
    canvas->Save("Emf\\" + std::string(name));
}
