// The metafile writer against Qt: its text measures against Qt's metrics of
// the same Liberation fonts, and the clipboard entry of a picture read back
// from the (offscreen) clipboard.
#include "platform/Clipboard.h"
#include "platform/Cp1252Q.h"
#include "platform/Emf.h"
#include "platform/FontMetrics.h"
#include "support/CanvasScene.h"

#include <QClipboard>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QtTest>

class EmfQtTest : public QObject {
    Q_OBJECT

private slots:
    void textExtentMatchesQtMetrics_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<int>("pixels");
        QTest::newRow("Arial 14") << QStringLiteral("Arial") << QStringLiteral("Liberation Sans") << false << false << 14;
        QTest::newRow("Arial 37") << QStringLiteral("Arial") << QStringLiteral("Liberation Sans") << false << false << 37;
        QTest::newRow("Arial bold 20") << QStringLiteral("Arial") << QStringLiteral("Liberation Sans") << true << false << 20;
        QTest::newRow("Arial italic 24") << QStringLiteral("Arial") << QStringLiteral("Liberation Sans") << false << true << 24;
        QTest::newRow("Courier 18") << QStringLiteral("Courier") << QStringLiteral("Liberation Mono") << false << false << 18;
        QTest::newRow("Times New Roman 30") << QStringLiteral("Times New Roman") << QStringLiteral("Liberation Serif") << false << false << 30;
    }

    // Within one device unit per character of the sum of Qt's advances (Qt
    // may round each glyph's advance to whole pixels), the cell and the
    // ascent within one unit.
    void textExtentMatchesQtMetrics() {
        QFETCH(QString, face);
        QFETCH(QString, family);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(int, pixels);
        QFont font(family);
        font.setPixelSize(pixels);
        font.setBold(bold);
        font.setItalic(italic);
        QCOMPARE(QFontInfo(font).family(), family); // measured on the real font, not a substitute
        const QFontMetricsF qt(font);

        const CanvasFont ours{FromQ(face), -pixels, bold, italic};
        EmfCanvas canvas({100, 100});
        canvas.SelectFont(ours);
        for (const char* text : {"Prova \xE0\xE8\xEC\xF2\xF9", "Mercurio 12\xB0" "34' Retrogrado", "WWWiii\x80\x93\x94",
                                 "Ascendente in Acquario", "0123456789"}) {
            const QString s = ToQ(text);
            const CanvasSize got = canvas.TextExtent(text);
            const double want = qt.horizontalAdvance(s);
            QVERIFY2(qAbs(got.cx - want) <= double(std::strlen(text)),
                     qPrintable(QStringLiteral("%1: ours %2, Qt %3").arg(s).arg(got.cx).arg(want)));
            QVERIFY2(qAbs(got.cy - qt.height()) <= 1.0,
                     qPrintable(QStringLiteral("cell: ours %1, Qt %2").arg(got.cy).arg(qt.height())));
        }
        canvas.ReleaseFont();
        QVERIFY(qAbs(FontMeasure(ours).Ascent() - qt.ascent()) <= 1.0);
        QVERIFY(qAbs(FontMeasure(ours).Descent() - qt.descent()) <= 1.0);
        // Glyph by glyph over the whole Windows-1252 range of printable bytes.
        for (int b = 0x20; b < 0x100; ++b) {
            if (b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D || b == 0xA0 ||
                b == 0xAD)
                continue; // no glyph of their own, or one Qt does not advance over
            const char c[2] = {char(b), 0};
            const double want = qt.horizontalAdvance(ToQ(c));
            const double got = FontMeasure(ours).Advance(static_cast<unsigned char>(b));
            QVERIFY2(qAbs(got - want) <= 1.0,
                     qPrintable(QStringLiteral("byte %1: ours %2, Qt %3").arg(b, 0, 16).arg(got).arg(want)));
        }
    }

    void clipboardHoldsTheMetafileAndAPicture() {
        EmfCanvas emf({200, 150});
        Draw(emf);
        const Metafile picture = emf.Picture();
        CopyMetafileToClipboard(picture);

        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data != nullptr);
        const QByteArray bytes(picture.Bytes().data(), qsizetype(picture.Bytes().size()));
        QCOMPARE(data->data(QStringLiteral("image/emf")), bytes);
        QCOMPARE(data->data(QStringLiteral("image/x-emf")), bytes);
        QVERIFY(Metafile::FromBytes(data->data(QStringLiteral("image/x-emf")).toStdString()).has_value());

        // The picture: the bounds' size, drawn by our player on white.
        QImage image;
        QVERIFY(image.loadFromData(data->data(QStringLiteral("image/png")), "PNG"));
        QCOMPARE(image.size(), QSize(183, 125)); // bounds 9..191 × 20..144
        QCOMPARE(image.pixel(60 - 9, 50 - 20), qRgb(255, 0, 0));   // inside the red rectangle
        QCOMPARE(image.pixel(15 - 9, 25 - 20), qRgb(255, 255, 255)); // left of it
        QVERIFY(data->hasImage());
        QCOMPARE(qvariant_cast<QImage>(data->imageData()).size(), image.size());

        // A very wide picture is scaled down on both axes alike.
        EmfCanvas wide({20000, 100});
        wide.SelectBrush({CanvasRgb(0, 0, 255)});
        wide.Rectangle({0, 0, 16384, 100});
        wide.ReleaseBrush();
        CopyMetafileToClipboard(wide.Picture());
        QImage small;
        QVERIFY(small.loadFromData(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/png")), "PNG"));
        QCOMPARE(small.size(), QSize(4096, 25));
        QCOMPARE(small.pixel(2048, 12), qRgb(0, 0, 255));
    }
};

QTEST_MAIN(EmfQtTest)
#include "EmfQtTest.moc"
