// The windowed program. Its program folder is the current directory when
// that holds one, else the per-user folder seeded from the template.
#include "main/Forms.h"
#include "main/Startup.h"
#include "main/UnVelKor.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Printer.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramPath.h"
#include "platform/Screen.h"

#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv)
{
    QuillonApplication app(argc, argv);
    try {
        const std::filesystem::path folder = ProgramFolder::Choose(
            std::filesystem::current_path(), QCoreApplication::applicationDirPath().toStdString(),
            std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
        std::filesystem::current_path(folder);
        ProgramPath::SetRoot(folder);
    } catch (const std::exception& e) {
        Dialogs::Error(ErrorMessageFor(e));
        return 1;
    }

    const ScreenRect screen = PrimaryScreen();
    const PrinterProbe printer = ProbeDefaultPrinter();
    ApplyStartupDefaults({screen.width, screen.height, printer.found, printer.pageWidth});

    CreateForms();
    FoVelkor->show();
    const int rc = app.exec();
    DestroyForms();
    return rc;
}
