#include "platform/Clipboard.h"

#include "platform/QtCanvas.h"

#include <QBuffer>
#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>
#include <algorithm>

namespace {
// Big enough for any page the program draws, small enough for the memory a
// damaged header's bounds could ask for.
constexpr int kLargestSide = 8000;
} // namespace

void CopyMetafileToClipboard(const Metafile& metafile) {
    const CanvasRect bounds = metafile.Bounds();
    const int w = int(std::clamp<long long>(static_cast<long long>(bounds.right) - bounds.left, 1, kLargestSide));
    const int h = int(std::clamp<long long>(static_cast<long long>(bounds.bottom) - bounds.top, 1, kLargestSide));
    ImageCanvas canvas(w, h);
    Emf::Play(metafile.Bytes(), canvas, {0, 0, w, h});
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
