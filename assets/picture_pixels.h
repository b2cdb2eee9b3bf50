// A picture stored as its pixels, so the game shows it without decoding a PNG: the
// image the PNG of the same picture reads as, kept whole (its format and every pixel).
// The card generator writes this form beside each PNG and the program embeds it.
//
// Layout, every number a 32-bit little-endian word: the letters "PXL1", the width,
// the height, the QImage format, then the rows from the top, each pixel one word.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>

namespace durak::art {

// `image` in the stored form; an empty array for a null image or one whose pixels are
// not 32 bits wide.
QByteArray EncodePixels(const QImage& image);

// The picture stored in `data`; a null image when the data is not a whole picture
// of this form (wrong letters, a format that is not 32 bits a pixel, sizes that do
// not match the bytes that follow).
QImage DecodePixels(QByteArrayView data);

}  // namespace durak::art
