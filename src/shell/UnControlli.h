#pragma once
// Edit-box checks and dialog placement shared by every window.
//
// Valid edits are coloured aqua (16776960), invalid ones red (255); colours
// are given as the program's colour numbers (0x00BBGGRR).
#include "platform/Screen.h"

#include <QColor>
#include <optional>

class QLineEdit;
class QWidget;

inline constexpr int kColourAqua = 16776960;
inline constexpr int kColourRed = 255;
inline constexpr int kColourGrey = 8421504;
inline constexpr int kColourWhite = 16777215;
inline constexpr int kColourBlack = 0;

QColor ColourFromNumber(int bgr);
// The background colour number an edit shows (for tests and checks).
int EditColour(const QLineEdit* edit);
void SetEditColours(QWidget* w, int background, int text);

// Integer edit: aqua; blanks trimmed; "-" or "+" alone is accepted while
// typing when allowSign; a non-integer or a value outside lo..hi turns it
// red, empties it, focuses it and sets ok to false.
void CheckIntEdit(QLineEdit* edit, long long lo, long long hi, bool allowSign, bool& ok);
// Real edit typed with a decimal comma: returns its value and writes the
// text back with the comma, keeping the caret; on failure err is set and
// nothing is returned.
std::optional<long double> ParseRealEdit(QLineEdit* edit, bool& err);
void MarkEdit(QLineEdit* edit, bool bad);
// Only while err is false: a value (locale reader) not in lo..hi sets err,
// turns the edit red and empties it.
void CheckRealRange(QLineEdit* edit, long double hi, long double lo, bool& err);

// The main window: the window dialogs open over when no other is in front.
void SetMainWindow(QWidget* main);
// Records the main window's Top and Left (after pending events).
void RememberMainPos();
// Records the main window's Width and Height (at activation).
void RememberMainSize();

// Puts a form over the window that opens it (the window in front, else the
// main window), inside the screen; every modal form is placed so again
// when it is shown. The offset of the callers no longer moves the form: a
// form set off the main window's corner opened at the screen's edge, far
// from the window the user was working in.
void PlaceForm(QWidget* form, int offset);
