// Dialogs and message boxes open over the window that opened them and
// inside the screen: the placement rule on a table of cases, then real modal
// dialogs and real message boxes of the dialogs service, shown offscreen and
// closed by a timer as soon as they are in front.
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/WindowPlacement.h"

#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>
#include <deque>
#include <functional>

namespace {

// Runs one step for each modal window that comes to the front, in turn,
// and closes it when the step returns. A step may open further windows: the
// watch goes on inside their event loops (a new single-shot timer each time,
// since a running timer does not fire again inside its own handler).
class WhenInFront : public QObject {
public:
    explicit WhenInFront(std::deque<std::function<void(QWidget*)>> steps) : steps_(std::move(steps)) { Arm(); }
    bool Done() const { return steps_.empty(); }

private:
    void Arm()
    {
        QTimer::singleShot(5, this, [this] { Poll(); });
    }
    void Poll()
    {
        if (steps_.empty())
            return;
        Arm();
        QWidget* front = QApplication::activeModalWidget();
        if (!front || front == last_)
            return;
        last_ = front;
        auto step = std::move(steps_.front());
        steps_.pop_front();
        step(front);
        if (auto* dialog = qobject_cast<QDialog*>(front))
            dialog->reject();
    }

    QPointer<QWidget> last_;
    std::deque<std::function<void(QWidget*)>> steps_;
};

QRect Available()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

bool Inside(const QRect& r, const QRect& screen)
{
    return screen.contains(r.topLeft()) && screen.contains(r.bottomRight());
}

// The centre of a over the centre of b, give or take the rounding.
bool CentredOver(const QRect& a, const QRect& b)
{
    return (a.center() - b.center()).manhattanLength() <= 2;
}

class Form : public QDialog {
public:
    explicit Form(int width, int height)
    {
        auto* layout = new QVBoxLayout(this);
        auto* body = new QLabel(QStringLiteral("contenuto"), this);
        body->setMinimumSize(width, height);
        layout->addWidget(body);
    }
};

} // namespace

class WindowPlacementTest : public QObject {
    Q_OBJECT

    QWidget main_;

private slots:
    void initTestCase()
    {
        const QRect screen = Available();
        main_.resize(screen.width() / 2, screen.height() / 2);
        main_.move(screen.left() + 20, screen.top() + 20);
        main_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main_));
        SetMainOpener(&main_);
    }

    void rule_data()
    {
        QTest::addColumn<QRect>("opener");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("expected");
        const QRect hd(0, 0, 1920, 1080);
        QTest::newRow("centred over its opener") << QRect(100, 50, 800, 600) << QSize(400, 200) << hd << QPoint(300, 250);
        QTest::newRow("opener at the right edge") << QRect(1700, 100, 400, 300) << QSize(600, 200) << hd << QPoint(1320, 150);
        QTest::newRow("opener above the top") << QRect(200, -300, 400, 300) << QSize(200, 100) << hd << QPoint(300, 0);
        QTest::newRow("larger than the screen") << QRect(0, 0, 800, 600) << QSize(2000, 1200) << hd << QPoint(0, 0);
        QTest::newRow("second screen, right of the first")
            << QRect(2000, 100, 600, 400) << QSize(300, 100) << QRect(1920, 0, 1280, 1024) << QPoint(2150, 250);
        QTest::newRow("screen below a top panel")
            << QRect(0, 0, 1366, 768) << QSize(1366, 700) << QRect(0, 28, 1366, 740) << QPoint(0, 34);
    }

    void rule()
    {
        QFETCH(QRect, opener);
        QFETCH(QSize, size);
        QFETCH(QRect, screen);
        QFETCH(QPoint, expected);
        const ScreenPoint p = PlaceOver({opener.left(), opener.top(), opener.width(), opener.height()}, size.width(),
                                        size.height(), {screen.left(), screen.top(), screen.width(), screen.height()});
        QCOMPARE(QPoint(p.x, p.y), expected);
    }

    void formsOpenOverTheWindowInFront()
    {
        Form first(300, 160);
        Form second(200, 100);
        QRect firstAt, secondAt, movedFirst;
        WhenInFront watch({
            [&](QWidget* w) {
                firstAt = w->frameGeometry();
                // The user drags the form to the corner, then it opens another.
                w->move(Available().topLeft() + QPoint(5, 5));
                movedFirst = w->frameGeometry();
                second.exec();
            },
            [&](QWidget* w) { secondAt = w->frameGeometry(); },
        });
        first.exec();
        QVERIFY(watch.Done());
        QVERIFY2(CentredOver(firstAt, main_.frameGeometry()), "the first form opens over the main window");
        QVERIFY2(CentredOver(secondAt, movedFirst), "the second opens over the form that opened it");
        QVERIFY(Inside(firstAt, Available()));
        QVERIFY(Inside(secondAt, Available()));
    }

    void messageBoxesOpenOverTheirWindowInsideTheScreen()
    {
        // The windowed program's backend, not a script: real message boxes.
        QVERIFY(dynamic_cast<Dialogs::Script*>(Dialogs::CurrentBackend()) == nullptr);
        Form form(260, 120);
        QRect formAt, boxAt, edgeBoxAt;
        WhenInFront watch({
            [&](QWidget* w) {
                formAt = w->frameGeometry();
                Dialogs::Error("Data Scorretta");
                // Near the screen's right edge the box stays inside it.
                const QRect s = Available();
                w->move(s.right() - w->frameGeometry().width() + 1, s.top() + 40);
                Dialogs::Warning("Manca Nome Localit\xE0: scrivere le prime lettere della localit\xE0 e fare doppio "
                                 "clic sul suo nome nell'elenco");
            },
            [&](QWidget* w) {
                QVERIFY(qobject_cast<QMessageBox*>(w));
                boxAt = w->frameGeometry();
            },
            [&](QWidget* w) { edgeBoxAt = w->frameGeometry(); },
        });
        form.exec();
        QVERIFY(watch.Done());
        QVERIFY2(CentredOver(boxAt, formAt), "the box opens over the form that shows it");
        QVERIFY(Inside(boxAt, Available()));
        QVERIFY2(Inside(edgeBoxAt, Available()), "a box opened at the screen's edge stays inside it");
    }

    void windowsThatPlaceThemselvesAreLeftAlone()
    {
        Form graphic(200, 100);
        KeepOwnPlacement(&graphic);
        const QPoint own = Available().topLeft();
        graphic.move(own);
        QRect at;
        WhenInFront watch({[&](QWidget* w) { at = w->frameGeometry(); }});
        graphic.exec();
        QVERIFY(watch.Done());
        QCOMPARE(at.topLeft(), own);
    }
};

int main(int argc, char** argv)
{
    QuillonApplication app(argc, argv);
    WindowPlacementTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowPlacementTest.moc"
