#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
ScreenRect FromQRect(const QRect& r)
{
    return {r.left(), r.top(), r.width(), r.height()};
}
} // namespace

ScreenRect PrimaryScreen()
{
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? FromQRect(s->geometry()) : ScreenRect {0, 0, 1024, 768};
}

ScreenRect PrimaryScreenAvailable()
{
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? FromQRect(s->availableGeometry()) : ScreenRect {0, 0, 1024, 768};
}
