#include "platform/Clipboard.h"

#include "platform/QtCanvas.h"

#include <QBuffer>
#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>
#include <algorithm>
#include <cmath>

namespace {
// The longest side of the clipboard's picture: enough for any page the
// program draws, and a bound on the memory a huge picture could ask for.
constexpr double kLargestSide = 4096;
} // namespace

void CopyMetafileToClipboard(const Metafile& metafile) {
    const CanvasRect bounds = metafile.Bounds();
    double w = std::max(1.0, double(bounds.right) - bounds.left);
    double h = std::max(1.0, double(bounds.bottom) - bounds.top);
    const double shrink = std::min(1.0, kLargestSide / std::max(w, h)); // same scale on both axes
    const int width = std::max(1, int(std::lround(w * shrink)));
    const int height = std::max(1, int(std::lround(h * shrink)));
    ImageCanvas canvas(width, height);
    Emf::Play(metafile.Bytes(), canvas, {0, 0, width, height});
    const QImage image = canvas.Finish();

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");

    auto* data = new QMimeData;
    const QByteArray emf(metafile.Bytes().data(), qsizetype(metafile.Bytes().size()));
    data->setData(QStringLiteral("image/emf"), emf);
    data->setData(QStringLiteral("image/x-emf"), emf);
    data->setData(QStringLiteral("image/png"), png);
    data->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(data); // the clipboard owns it
}
