#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace {

QPointer<QWidget> g_main;

constexpr const char* kOwnPlacement = "quillonOwnPlacement";
// Set while a dialog is being shown: a form that settles its size in its
// own show handler (the message boxes do) is placed again at its final size.
constexpr const char* kPlacing = "quillonPlacing";

ScreenRect FromQRect(const QRect& r)
{
    return {r.left(), r.top(), r.width(), r.height()};
}

bool Usable(const QWidget* w, const QWidget* dialog)
{
    return w && w != dialog && w->isVisible();
}

ScreenRect AvailableAround(const QRect& frame)
{
    QScreen* s = QGuiApplication::screenAt(frame.center());
    if (!s)
        s = QGuiApplication::primaryScreen();
    return s ? FromQRect(s->availableGeometry()) : PrimaryScreenAvailable();
}

bool PlacedWhenShown(const QWidget* w)
{
    if (!w->isWindow() || !qobject_cast<const QDialog*>(w) || w->property(kOwnPlacement).toBool())
        return false;
    if (w->windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized))
        return false;
    return w->isModal() || w->windowModality() != Qt::NonModal;
}

class DialogPlacer : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if ((type != QEvent::Show && type != QEvent::Resize) || !watched->isWidgetType())
            return false;
        auto* w = static_cast<QWidget*>(watched);
        if (type == QEvent::Show && PlacedWhenShown(w)) {
            PlaceOverOpener(w);
            w->setProperty(kPlacing, true);
            QPointer<QWidget> guard(w);
            QTimer::singleShot(0, w, [guard] {
                if (guard)
                    guard->setProperty(kPlacing, false);
            });
        } else if (type == QEvent::Resize && w->isWindow() && w->property(kPlacing).toBool()) {
            PlaceOverOpener(w);
        }
        return false;
    }
};

} // namespace

ScreenPoint PlaceOver(const ScreenRect& opener, int width, int height, const ScreenRect& screen)
{
    int x = opener.left + (opener.width - width) / 2;
    int y = opener.top + (opener.height - height) / 2;
    x = std::max(screen.left, std::min(x, screen.left + screen.width - width));
    y = std::max(screen.top, std::min(y, screen.top + screen.height - height));
    return {x, y};
}

void SetMainOpener(QWidget* main)
{
    g_main = main;
}

QWidget* DialogOpener(const QWidget* dialog)
{
    if (dialog && dialog->parentWidget()) {
        QWidget* owner = dialog->parentWidget()->window();
        if (Usable(owner, dialog))
            return owner;
    }
    if (QWidget* modal = QApplication::activeModalWidget(); Usable(modal, dialog))
        return modal;
    if (QWidget* active = QApplication::activeWindow(); Usable(active, dialog))
        return active;
    if (Usable(g_main, dialog))
        return g_main;
    return nullptr;
}

void PlaceOverOpener(QWidget* window)
{
    const QWidget* opener = DialogOpener(window);
    QSize frame = window->frameGeometry().size();
    const QRect over = opener ? opener->frameGeometry() : QRect();
    if (opener && frame == window->size()) {
        // Not on screen yet: its frame will be as wide as its opener's.
        frame += opener->frameGeometry().size() - opener->size();
    }
    const ScreenRect screen = opener ? AvailableAround(over) : PrimaryScreenAvailable();
    const ScreenRect around = opener ? FromQRect(over) : screen;
    const ScreenPoint p = PlaceOver(around, frame.width(), frame.height(), screen);
    window->move(p.x, p.y);
}

void InstallDialogPlacement()
{
    static QPointer<DialogPlacer> placer;
    if (placer || !qApp)
        return;
    placer = new DialogPlacer(qApp);
    qApp->installEventFilter(placer);
}

void KeepOwnPlacement(QWidget* window)
{
    window->setProperty(kOwnPlacement, true);
}
