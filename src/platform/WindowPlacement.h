#pragma once
// Where dialogs and message boxes open: over the window that opened them,
// inside the screen that window is on.
//
// The windowed program installs one application-wide watcher: every modal
// dialog (the program's forms, the message boxes, the file and printer
// dialogs) is centred over its opener each time it is shown and kept inside
// the available area of that screen. Windows that lay themselves out over
// the whole screen (the graphic windows) opt out.
#include "platform/Screen.h"

class QWidget;

struct ScreenPoint {
    int x = 0, y = 0;
};

// The top-left corner of a window frame of the given size centred over the
// opener's frame and then moved inside the screen's available area; a
// window larger than the area keeps its top-left corner visible.
ScreenPoint PlaceOver(const ScreenRect& opener, int width, int height, const ScreenRect& screen);

// The window a dialog opens over: the window of its parent when it has one,
// else the modal window in front, else the active window, else the main
// window; never the dialog itself. May be null before the main window exists.
QWidget* DialogOpener(const QWidget* dialog = nullptr);
// The last resort of DialogOpener (the program's main window).
void SetMainOpener(QWidget* main);

// Moves a window over its opener (DialogOpener) as PlaceOver says, its
// frame estimated from the opener's when the window is not on screen yet.
void PlaceOverOpener(QWidget* window);

// Watches the application: each modal dialog is placed over its opener
// when shown. Installed once by the application object.
void InstallDialogPlacement();
// A window that places itself (full-screen graphic windows): left alone.
void KeepOwnPlacement(QWidget* window);
