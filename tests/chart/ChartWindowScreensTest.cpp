// The chart window on screens of the usual sizes, side by side on one
// offscreen desktop: it covers the screen of the window that opens it, its
// drawing and its right column fill that screen, every control lies inside
// it and no caption is cut, with the normal and the large captions.
#include "archive/CurrentSubject.h"
#include "chart/UgrVelko.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/RecordingCanvas.h"
#include "shell/OrbSettings.h"
#include "shell/SharedState.h"
#include "main/Startup.h"
#include "support/TempFolder.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryFile>
#include <QtTest>
#include <memory>

namespace {

struct ScreenSize {
    int width, height;
};
// The desktop: the screens left to right, the first one primary.
const ScreenSize kScreens[] = {{1280, 1024}, {1366, 768}, {1920, 1080}, {3840, 2160}};

QScreen* ScreenOfSize(int width, int height)
{
    for (QScreen* s : QGuiApplication::screens())
        if (s->geometry().width() == width && s->geometry().height() == height)
            return s;
    return nullptr;
}

// The captions that do not fit their control: a button's text (and icon)
// against the contents rectangle its style leaves, a label's text against
// its width.
QStringList CutCaptions(const QWidget* column)
{
    QStringList cut;
    for (const QPushButton* b : column->findChildren<QPushButton*>()) {
        if (!b->isVisibleTo(b->window()))
            continue;
        QStyleOptionButton option;
        option.initFrom(b);
        option.text = b->text();
        const QRect contents = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
        const int icon = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
        if (b->fontMetrics().horizontalAdvance(b->text()) + icon > contents.width())
            cut << QStringLiteral("%1 \"%2\"").arg(b->objectName(), b->text());
    }
    for (const QLabel* l : column->findChildren<QLabel*>())
        if (l->isVisibleTo(l->window()) && !l->text().isEmpty() &&
            l->fontMetrics().horizontalAdvance(l->text()) > l->contentsRect().width())
            cut << QStringLiteral("%1 \"%2\"").arg(l->objectName(), l->text());
    return cut;
}

} // namespace

class ChartWindowScreensTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> dir_;
    std::unique_ptr<Dialogs::Script> script_;

private slots:
    void init()
    {
        dir_ = std::make_unique<TempFolder>();
        dir_->CopyTemplate();
        script_ = std::make_unique<Dialogs::Script>();
    }

    void cleanup()
    {
        QVERIFY2(script_->Messages().empty(), script_->Messages().empty() ? "" : script_->Texts().front().c_str());
        script_.reset();
        dir_.reset();
    }

    void desktopHasTheScreens()
    {
        for (const ScreenSize& s : kScreens)
            QVERIFY2(ScreenOfSize(s.width, s.height), qPrintable(QStringLiteral("%1x%2").arg(s.width).arg(s.height)));
    }

    // The program's page scale comes from the screen it starts on; the
    // chart window may open on another one.
    void windowFitsTheScreenItOpensOn_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("startWidth");
        QTest::addColumn<int>("startHeight");
        for (const ScreenSize& s : kScreens)
            QTest::addRow("%dx%d", s.width, s.height) << s.width << s.height << s.width << s.height;
        QTest::newRow("3840x2160 started on 1280x1024") << 3840 << 2160 << 1280 << 1024;
        QTest::newRow("1366x768 started on 1920x1080") << 1366 << 768 << 1920 << 1080;
    }

    void windowFitsTheScreenItOpensOn()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, startWidth);
        QFETCH(int, startHeight);
        ApplyStartupDefaults({startWidth, startHeight, false, 0});
        script_->Clear(); // the start-up's printer warning
        ReadOrbSettings();
        LoadCurrentSubjectData();
        QScreen* screen = ScreenOfSize(width, height);
        QVERIFY(screen);

        // The window that opens the chart window, on that screen.
        QWidget opener;
        opener.setGeometry(screen->geometry().adjusted(100, 100, -300, -300));
        opener.show();
        opener.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&opener));

        RecordingCanvas canvas;
        TFgrVelko form;
        form.SetCanvasOverride(&canvas);
        form.show();
        QTRY_VERIFY(form.Centres().drawn);
        QCOMPARE(form.geometry(), screen->geometry());

        for (bool large : {false, true}) {
            if (large)
                form.BBsizeFont->click();
            const QString where = large ? QStringLiteral("large captions: ") : QString();
            // Every control of the right column inside the window, no caption cut.
            const QRect window = form.rect();
            for (QWidget* panel : {form.PanelDati, form.PanelPulsanti, form.PanelInfo, form.PanelExtra}) {
                QVERIFY2(window.contains(panel->geometry()), qPrintable(where + panel->objectName()));
                for (QWidget* c : panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
                    QVERIFY2(panel->rect().contains(c->geometry()), qPrintable(where + c->objectName()));
                const QStringList cut = CutCaptions(panel);
                QVERIFY2(cut.isEmpty(), qPrintable(where + cut.join(QStringLiteral(", "))));
            }
            // Nothing wasted: the column reaches the right and bottom edges,
            // and starts where the drawing area ends.
            QVERIFY(std::abs(form.PanelDati->geometry().right() + 1 - window.width()) <= 2);
            QVERIFY(window.height() - (form.PanelExtra->geometry().bottom() + 1) <= form.PixelOf({0, 2}).y());
            QVERIFY(std::abs(form.PanelDati->x() - form.PixelOf({197, 0}).x()) <= 1);
            // The drawing as tall as the window, or the column as narrow as
            // its captions allow.
            const bool fullHeight = std::abs(form.PixelOf({0, 210}).y() - window.height()) <= 2;
            QVERIFY2(fullHeight || ZoomFactor < 1, qPrintable(where + QString::number(double(ZoomFactor))));
            if (!large)
                QVERIFY(fullHeight);
        }
        // The drawing made after the large captions is at the window's scale.
        QVERIFY(canvas.CallsOf(RecordingCanvas::Op::TextOut).size() > 0);
        QVERIFY(form.Centres().drawn);
        form.BBprivato->click();
    }
};

int main(int argc, char** argv)
{
    // An offscreen desktop of four screens, the first one primary.
    QTemporaryFile config;
    config.setFileTemplate(QDir::tempPath() + QStringLiteral("/quillon-screens-XXXXXX.json"));
    if (!config.open())
        return 1;
    QStringList screens;
    int x = 0;
    for (const ScreenSize& s : kScreens) {
        screens << QStringLiteral("{\"name\": \"S%1\", \"x\": %1, \"y\": 0, \"width\": %2, \"height\": %3, "
                                  "\"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}")
                       .arg(x)
                       .arg(s.width)
                       .arg(s.height);
        x += s.width;
    }
    config.write(QStringLiteral("{\"screens\": [%1]}").arg(screens.join(QStringLiteral(", "))).toUtf8());
    config.close();
    qputenv("QT_QPA_PLATFORM", (QStringLiteral("offscreen:configfile=") + config.fileName()).toLocal8Bit());
    QuillonApplication app(argc, argv);
    ChartWindowScreensTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ChartWindowScreensTest.moc"
