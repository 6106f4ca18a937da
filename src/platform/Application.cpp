#include "platform/Application.h"

#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/EventPump.h"
#include "platform/QtDialogs.h"
#include "platform/WindowPlacement.h"

#include <QLocale>
#include <clocale>

namespace {
QtDialogsBackend g_dialogs;

void PumpQtEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}
} // namespace

QuillonApplication::QuillonApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // Qt sets the C locale from the environment; the program's own number
    // texts must not follow it.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    if (Dialogs::CurrentBackend() == nullptr || dynamic_cast<Dialogs::Script*>(Dialogs::CurrentBackend()) == nullptr)
        Dialogs::SetBackend(&g_dialogs);
    EventPump::Install(&PumpQtEvents);
    InstallDialogPlacement();
}

QuillonApplication::~QuillonApplication()
{
    EventPump::Install(nullptr);
    if (Dialogs::CurrentBackend() == &g_dialogs)
        Dialogs::SetBackend(nullptr);
}

bool QuillonApplication::notify(QObject* receiver, QEvent* event)
{
    bool result = false;
    Guarded([&] { result = QApplication::notify(receiver, event); });
    return result;
}

bool Guarded(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        Dialogs::Error(ErrorMessageFor(e));
    }
    return false;
}
