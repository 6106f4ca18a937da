#pragma once
// Metafile capture of the print preview: the picture drawn on the screen is
// recorded as an enhanced metafile and saved under Emf\.
#include <string_view>

// With the capture flag ToMetafile set, BeginCapture opens an enhanced
// metafile of ScreenWidthPixels wide and ScreenHeightPixels high (twice that
// high for a portrait printer, when a printer is available) and points
// MetafileCanvas at its canvas; a capture still open is discarded first.
// Without the flag it does nothing.
void BeginCapture();
// With the flag set, closes the capture and saves the picture atomically as
// "Emf\" + name in the program folder (throws IoError; the capture is closed
// either way). Without the flag, a capture left open is discarded unsaved.
// MetafileCanvas is nullptr afterwards; with no capture open it does nothing.
void EndCapture(std::string_view name);
