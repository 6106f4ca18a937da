#pragma once
// quillon-tool export: draws a page through the drawing primitives into a
// file of any output format (enhanced metafile, SVG, PDF, PNG).
#include <string>
#include <vector>

extern const char* const kExportUsage;
int RunExportCommand(const std::vector<std::string>& args);
