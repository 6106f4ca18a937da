#pragma once
// Opening a document with the desktop's associated program (xdg-open).
#include <string>

// `name` is a program-relative or absolute file name. Returns false when
// the file is missing or the desktop could not open it.
bool OpenDocument(const std::string& name);

// Replaces the desktop for OpenDocument (tests record the request instead
// of starting a viewer); nullptr restores the desktop.
using OpenHandler = bool (*)(const std::string& absolutePath);
void SetOpenHandler(OpenHandler handler);
