// The client area of the window: the background with the printed text and plotted
// pixels of the text layer, and the 99 picture slots over it, all painted here. It is the window's
// Screen: the game sets pictures and shows or hides slots through it.
#pragma once

#include <QFont>
#include <QStaticText>
#include <QWidget>

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/ports.h"
#include "ui/qt/picture_slot.h"
#include "ui/qt/picture_store.h"
#include "ui/text_layer.h"

namespace durak::qt {

class TableSurface : public QWidget, public Screen {
    Q_OBJECT
public:
    TableSurface(TextLayer& text, QWidget* parent);

    // The font of all printed text: an 8-point sans-serif face.
    static QFont TextFont();

    PictureSlot* Slot(int control) const;
    // The slot a click at `point` of the client area is for: where a shown picture lies,
    // the topmost one (later slots lie over earlier ones); where none does, the first
    // blank hand slot whose area holds the point. Null when the slot found there does
    // not react to the mouse, or there is none.
    PictureSlot* ClickTargetAt(QPoint point) const;
    PictureStore& Pictures() { return pictures_; }

    // Screen: pictures are copied from the holders, as the game expects.
    void SetPicture(int slot, int holder) override;
    void SetVisible(int slot, bool visible) override;
    void ShowWindow() override;

    // Schedules the repaint of what the text layer changed since the last call.
    void SyncText();

signals:
    // A click on one of the slots that react to the mouse.
    void slotClicked(int control);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // A printed text with its glyphs laid out in the window's font, ready to be drawn,
    // and where they put ink, from the line's top-left corner.
    struct LaidOutLine {
        QStaticText glyphs;
        QRect ink;
    };
    const LaidOutLine& LaidOut(const std::string& utf8);
    QRect InkArea(const TextLayer::Run& run);

    TextLayer& text_;
    QFont font_;
    PictureStore pictures_;
    std::array<PictureSlot*, kLastControl + 1> slots_{};
    int pressedControl_ = 0;  // the slot under the last left press, until its release
    // The text layer as the last call of SyncText found it.
    std::vector<TextLayer::Run> syncedRuns_;
    std::vector<TextLayer::Pixel> syncedPixels_;
    std::unordered_map<std::string, LaidOutLine> laidOut_;
};

}  // namespace durak::qt
