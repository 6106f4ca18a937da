#include "platform/QtDialogs.h"

#include "platform/Cp1252Q.h"
#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
// The box belongs to the window the user is working in, which it opens over
// (the placement watcher of the application does the placing).
QWidget* Parent()
{
    return DialogOpener();
}

QString Caption(const Dialogs::Message& m, const char* fallback)
{
    return m.caption.empty() ? ToQ(fallback) : ToQ(m.caption);
}
} // namespace

void QtDialogsBackend::Show(const Dialogs::Message& m)
{
    QMessageBox box(Parent());
    switch (m.kind) {
    case Dialogs::Kind::Warning:
        box.setIcon(QMessageBox::Warning);
        box.setWindowTitle(Caption(m, "Attenzione"));
        break;
    case Dialogs::Kind::Error:
        box.setIcon(QMessageBox::Critical);
        box.setWindowTitle(Caption(m, "Errore"));
        break;
    default:
        box.setIcon(QMessageBox::Information);
        box.setWindowTitle(Caption(m, "Informazione"));
        break;
    }
    box.setText(ToQ(m.text));
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

bool QtDialogsBackend::Ask(const Dialogs::Message& m)
{
    QMessageBox box(Parent());
    box.setIcon(QMessageBox::Question);
    box.setWindowTitle(Caption(m, "Conferma"));
    box.setText(ToQ(m.text));
    QPushButton* yes = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.exec();
    return box.clickedButton() == yes;
}
