#include "platform/Shell.h"

#include "platform/ProgramPath.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>
#include <filesystem>

namespace {
OpenHandler g_handler = nullptr;
}

void SetOpenHandler(OpenHandler handler)
{
    g_handler = handler;
}

bool OpenDocument(const std::string& name)
{
    const std::filesystem::path p = ProgramPath::Resolve(name);
    std::error_code ec;
    if (!std::filesystem::exists(p, ec))
        return false;
    if (g_handler)
        return g_handler(p.string());
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(p.string())));
}
