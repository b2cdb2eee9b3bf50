#include "ui/qt/table_surface.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include "flow/input_dispatch.h"

namespace durak::qt {

namespace {
constexpr int kClientWidthPx = TextLayer::kClientWidth / kTwipsPerPixel;   // 631
constexpr int kClientHeightPx = TextLayer::kClientHeight / kTwipsPerPixel; // 444

// Twips to pixels, rounding down also left of and above the client area.
int ToPixels(std::int64_t twips) {
    const std::int64_t q = twips / kTwipsPerPixel;
    return static_cast<int>(q * kTwipsPerPixel > twips ? q - 1 : q);
}
}  // namespace

QFont TableSurface::TextFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

// Build every slot in control order, so a later number lies over an earlier one, and
// give each holder and each slot its starting picture and visibility.
TableSurface::TableSurface(TextLayer& text, QWidget* parent)
    : QWidget(parent), text_(text), font_(TextFont()) {
    setObjectName(QStringLiteral("client"));
    setFixedSize(kClientWidthPx, kClientHeightPx);
    setAutoFillBackground(true);  // the style's standard window background
    setFont(font_);

    for (int control = kFirstControl; control <= kLastControl; ++control) {
        const SlotSpec& slotSpec = SlotOf(control);
        auto* slot = new PictureSlot(slotSpec, ClickEventOf(control) != nullptr, this);
        if (slotSpec.picture != 0) slot->SetPicture(pictures_, slotSpec.picture);
        slot->setVisible(slotSpec.shownAtStart);
        connect(slot, &PictureSlot::clicked, this, &TableSurface::slotClicked);
        slots_[control] = slot;
    }
    for (int control = kFirstControl; control <= kLastControl; ++control) slots_[control]->raise();

    // Printed text leaves the pen where the window's font ends it.
    const QFontMetrics metrics(font_);
    text_.SetWidthMeasure([metrics](const std::string& utf8) {
        return metrics.horizontalAdvance(QString::fromStdString(utf8)) * kTwipsPerPixel;
    });
}

PictureSlot* TableSurface::Slot(int control) const {
    if (control < kFirstControl || control > kLastControl) return nullptr;
    return slots_[control];
}

// The holder's own picture, shared; a holder without one blanks the slot.
void TableSurface::SetPicture(int slot, int holder) {
    PictureSlot* target = Slot(slot);
    if (!target) return;
    if (PictureSlot* source = Slot(holder)) target->SetPictureOf(*source);
    else target->SetPicture(QPixmap());
}

void TableSurface::SetVisible(int slot, bool visible) {
    if (PictureSlot* target = Slot(slot)) target->setVisible(visible);
}

// Bring the window up, in front and active, and paint what the game has done so far.
void TableSurface::ShowWindow() {
    QWidget* w = window();
    w->show();
    w->raise();
    w->activateWindow();
    SyncText();
    // A window just shown is painted once the window system has exposed it.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    w->repaint();
}

void TableSurface::SyncText() {
    if (text_.Revision() != paintedRevision_) update();
}

// The text layer lies on the background, under every slot: black text from the pen
// positions and the single plotted pixels.
void TableSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setFont(font_);
    painter.setPen(Qt::black);
    // The font is loaded only once there is text to paint (none when the window opens).
    const int ascent = text_.Runs().empty() ? 0 : QFontMetrics(font_).ascent();
    for (const TextLayer::Pixel& p : text_.Pixels()) {
        painter.drawPoint(ToPixels(p.x), ToPixels(p.y));
    }
    for (const TextLayer::Run& run : text_.Runs()) {
        painter.drawText(ToPixels(run.x), ToPixels(run.y) + ascent,
                         QString::fromStdString(run.text));
    }
    // Only a paint of the whole area brings all the text up to date.
    if (event->rect().contains(rect())) paintedRevision_ = text_.Revision();
}

}  // namespace durak::qt
