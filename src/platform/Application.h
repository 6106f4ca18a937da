#pragma once
// The application object of the windowed program.
//
// It behaves as under an Italian locale whatever the system's (decimal
// comma in the locale number texts, dd/mm/yyyy, Italian button texts),
// installs the message-box backend, the event pump and the placement of the
// dialogs over the window that opens them, and is the last event
// boundary: an IoError or ConversionError escaping an event handler is shown
// as an Italian message box and the program goes on.
#include <QApplication>
#include <functional>

class QuillonApplication : public QApplication {
public:
    QuillonApplication(int& argc, char** argv);
    ~QuillonApplication() override;
    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs a handler at a window's event boundary: errors are reported in an
// Italian message box and swallowed, so earlier state stays as it was.
// Returns false when the handler failed.
bool Guarded(const std::function<void()>& handler);
