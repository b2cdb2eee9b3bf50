// Helpers of the window tests: a window with a repeatable deal, a click where the user
// clicks, a deal that refuses every card, slot geometry in pixels, and looks at the
// pixels of a grab.
#pragma once

#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QTest>
#include <QWindow>

#include <memory>

#include "flow/menu_events.h"
#include "platform/random_sources.h"
#include "ui/form1.h"

namespace durak::qt::testing {

// A shown window whose deals come from a fixed seed.
struct TestWindow {
    explicit TestWindow(std::uint64_t seed = 11) : random(seed), window(&random) {
        window.show();
        QCoreApplication::processEvents();
    }
    Game& g() { return window.GetGame(); }
    TableSurface& surface() { return *window.Surface(); }
    PictureSlot& slot(int control) { return *window.Surface()->Slot(control); }

    SeededRandom random;
    Form1 window;
};

// A click at a point of the client area, delivered as the window system delivers it:
// the slot on top at that point takes it.
inline void ClickAt(TestWindow& t, QPoint clientPoint) {
    const QPoint inWindow = t.surface().mapTo(&t.window, clientPoint);
    QTest::mouseClick(t.window.windowHandle(), Qt::LeftButton, {}, inWindow);
}

// A dealt game whose table already holds six attack cards: every card click is then
// refused by the rules and only the slot number it carried remains to be seen.
inline void DealWithFullTable(TestWindow& t) {
    t.window.RunChain(MenuNewGame);
    for (int k = 1; k <= 6; ++k) t.g().tablePlayerAttack[k] = static_cast<Field>(156 - 50 * (k % 4));
    t.g().selectedSlot = 0;
}

// The client area as drawn now, one device pixel per pixel.
inline QImage GrabClient(TableSurface& surface) {
    return surface.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// What the screen shows of the client area now: the window's surface as it was last
// painted, not a fresh rendering of the widgets.
inline QImage ScreenShot(TestWindow& t) {
    const QPoint origin = t.surface().mapTo(&t.window, QPoint(0, 0));
    QScreen* screen = t.window.windowHandle()->screen();
    const QImage whole = screen->grabWindow(t.window.winId()).toImage();
    return whole.copy(QRect(origin, t.surface().size())).convertToFormat(QImage::Format_ARGB32);
}

// A rectangle given in twips, in pixels.
inline QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

// Pixels dark enough to be printed text (the background is a light grey).
inline int DarkPixels(const QImage& image, const QRect& area) {
    int count = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(image.pixel(x, y)) < 110) ++count;
    return count;
}

// How many of the picture's opaque pixels differ from the image at `topLeft`, over the
// picture's columns [0, width). Returns -1 when nothing could be compared.
inline int PictureMismatches(const QImage& image, const QImage& picture, QPoint topLeft,
                             int width = -1) {
    const QImage pic = picture.convertToFormat(QImage::Format_ARGB32);
    if (pic.isNull()) return -1;
    if (width < 0 || width > pic.width()) width = pic.width();
    int compared = 0, wrong = 0;
    for (int y = 0; y < pic.height(); ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb want = pic.pixel(x, y);
            if (qAlpha(want) != 255) continue;
            const QPoint at = topLeft + QPoint(x, y);
            if (!image.rect().contains(at)) return -1;
            ++compared;
            if (image.pixel(at) != want) ++wrong;
        }
    }
    return compared == 0 ? -1 : wrong;
}

// The picture of a holder as embedded in the program.
QImage HolderImage(int holder);

}  // namespace durak::qt::testing
