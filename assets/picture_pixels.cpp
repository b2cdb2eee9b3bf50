#include "assets/picture_pixels.h"

#include <QtEndian>

#include <cstring>

namespace durak::art {

namespace {

constexpr char kTag[4] = {'P', 'X', 'L', '1'};
constexpr qsizetype kHeadBytes = 16;
// No picture of the game comes near this; it keeps the size arithmetic far from overflow.
constexpr quint32 kLargestSide = 1 << 14;

bool FourBytesAPixel(QImage::Format format) {
    switch (format) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return true;
    default:
        return false;
    }
}

void PutWord(char* at, quint32 word) { qToLittleEndian(word, at); }
quint32 Word(const char* at) { return qFromLittleEndian<quint32>(at); }

}  // namespace

QByteArray EncodePixels(const QImage& image) {
    if (image.isNull() || !FourBytesAPixel(image.format())) return {};
    const qsizetype rowBytes = qsizetype{image.width()} * 4;
    QByteArray data(kHeadBytes + rowBytes * image.height(), Qt::Uninitialized);
    char* out = data.data();
    std::memcpy(out, kTag, 4);
    PutWord(out + 4, static_cast<quint32>(image.width()));
    PutWord(out + 8, static_cast<quint32>(image.height()));
    PutWord(out + 12, static_cast<quint32>(image.format()));
    out += kHeadBytes;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x, out += 4) PutWord(out, row[x]);
    }
    return data;
}

QImage DecodePixels(QByteArrayView data) {
    if (data.size() < kHeadBytes || std::memcmp(data.data(), kTag, 4) != 0) return {};
    const quint32 width = Word(data.data() + 4), height = Word(data.data() + 8);
    const auto format = static_cast<QImage::Format>(Word(data.data() + 12));
    if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide ||
        !FourBytesAPixel(format))
        return {};
    const qsizetype rowBytes = qsizetype{width} * 4;
    if (data.size() != kHeadBytes + rowBytes * qsizetype{height}) return {};

    QImage image(static_cast<int>(width), static_cast<int>(height), format);
    if (image.isNull()) return {};
    const char* in = data.data() + kHeadBytes;
    for (int y = 0; y < image.height(); ++y, in += rowBytes) {
        if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
            std::memcpy(image.scanLine(y), in, static_cast<std::size_t>(rowBytes));
        } else {
            auto* row = reinterpret_cast<quint32*>(image.scanLine(y));
            for (quint32 x = 0; x < width; ++x) row[x] = Word(in + 4 * x);
        }
    }
    return image;
}

}  // namespace durak::art
