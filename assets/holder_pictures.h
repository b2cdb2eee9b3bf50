// The window's pictures, embedded in the program. Every holder picture lives at
// ":/pictures/image<N>.png" with a twice-as-large twin "image<N>@2x.png" for
// high-density screens; the blank holders 5, 15, 25, 35 have none. The application
// icon is there at three sizes.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace durak::art {

// Whether holder N has a picture (false for the blank holders and unknown numbers).
bool HasHolderPicture(int holder);

// Holder N's picture at scale 1 or 2, marked with that device pixel ratio; a null image
// for a holder without one.
QImage HolderImage(int holder, int scale = 1);

// Holder N's picture for a screen of the given device pixel ratio: the twin (marked
// with ratio 2, so it lays out at the natural size) when the ratio is above 1, else
// the natural one. A null pixmap for a holder without one.
QPixmap HolderPicture(int holder, qreal devicePixelRatio = 1.0);

// The application's icon at 64, 128 and 256 pixels.
QIcon ApplicationIcon();

}  // namespace durak::art
