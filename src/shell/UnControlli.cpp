#include "shell/UnControlli.h"

#include "platform/Cp1252Q.h"
#include "platform/FloatText.h"
#include "platform/WindowPlacement.h"
#include "shell/SharedState.h"
#include "shell/Texts.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>
#include <algorithm>

namespace {
QPointer<QWidget> g_main;
}

QColor ColourFromNumber(int bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

int EditColour(const QLineEdit* edit)
{
    const QColor c = edit->palette().color(QPalette::Base);
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

void SetEditColours(QWidget* w, int background, int text)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, ColourFromNumber(background));
    p.setColor(QPalette::Button, ColourFromNumber(background));
    p.setColor(QPalette::Window, ColourFromNumber(background));
    p.setColor(QPalette::Text, ColourFromNumber(text));
    p.setColor(QPalette::ButtonText, ColourFromNumber(text));
    w->setPalette(p);
}

void MarkEdit(QLineEdit* edit, bool bad)
{
    SetEditColours(edit, bad ? kColourRed : kColourAqua, kColourBlack);
}

void CheckIntEdit(QLineEdit* edit, long long lo, long long hi, bool allowSign, bool& ok)
{
    MarkEdit(edit, false);
    const std::string t = TrimBlanks(FromQ(edit->text()));
    if (allowSign && (t == "-" || t == "+"))
        return;
    const auto v = ParseInteger(t);
    if (!v || *v < lo || *v > hi) {
        MarkEdit(edit, true);
        edit->clear();
        ok = false;
        edit->setFocus();
        return;
    }
    if (FromQ(edit->text()) != t)
        edit->setText(ToQ(t));
}

std::optional<long double> ParseRealEdit(QLineEdit* edit, bool& err)
{
    const std::string t = CommaToPoint(TrimBlanks(FromQ(edit->text())));
    const auto v = ParseFixedReal(t);
    if (!v) {
        err = true;
        return std::nullopt;
    }
    const QString back = ToQ(PointToComma(t));
    if (edit->text() != back) {
        const int caret = edit->cursorPosition();
        edit->setText(back);
        edit->setCursorPosition(std::min<int>(caret, static_cast<int>(back.size())));
    }
    return v;
}

void CheckRealRange(QLineEdit* edit, long double hi, long double lo, bool& err)
{
    if (err)
        return;
    const auto v = ParseLocaleReal(FromQ(edit->text()));
    if (!(v && *v >= lo) || *v > hi) {
        err = true;
        MarkEdit(edit, true);
        edit->clear();
    }
}

void SetMainWindow(QWidget* main)
{
    g_main = main;
    SetMainOpener(main);
}

void RememberMainPos()
{
    QCoreApplication::processEvents();
    if (!g_main)
        return;
    const QRect f = g_main->frameGeometry();
    MainWindowPos.Top = f.top();
    MainWindowPos.Left = f.left();
}

void RememberMainSize()
{
    if (!g_main)
        return;
    const QRect f = g_main->frameGeometry();
    MainWindowPos.Width = f.width();
    MainWindowPos.Height = f.height();
}

void PlaceForm(QWidget* form, int /*offset*/)
{
    PlaceOverOpener(form);
}
