#include "ui/table_surface.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

#include "cards/card_code.h"
#include "flow/input_dispatch.h"
#include "ui/input_gate.h"
#include "ui/table_accessibility.h"

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

// Build every slot in control order, the order they are painted in, so a later number
// lies over an earlier one, and give each holder and each slot its starting picture and
// visibility.
TableSurface::TableSurface(TextLayer& text, QWidget* parent)
    : QWidget(parent), text_(text), font_(TextFont()),
      keyboard_(*this, [this] { if (accessibility_) accessibility_->FocusMoved(); }) {
    setObjectName(QStringLiteral("client"));
    setFixedSize(kClientWidthPx, kClientHeightPx);
    setAutoFillBackground(true);  // the style's standard window background
    setFont(font_);

    for (int control = kFirstControl; control <= kLastControl; ++control) {
        const SlotSpec& slotSpec = SlotOf(control);
        slots_[control] = new PictureSlot(slotSpec, ClickEventOf(control) != nullptr, this, pictures_);
        slots_[control]->setVisible(slotSpec.shownAtStart);
    }

    // Printed text leaves the pen where the window's font ends it.
    const QFontMetrics metrics(font_);
    text_.SetWidthMeasure([metrics](const std::string& utf8) {
        return metrics.horizontalAdvance(QString::fromStdString(utf8)) * kTwipsPerPixel;
    });

    // The table takes the keyboard: the hand's cards and the action button.
    setFocusPolicy(Qt::StrongFocus);
    InstallTableAccessibility();
}

PictureSlot* TableSurface::Slot(int control) const {
    if (control < kFirstControl || control > kLastControl) return nullptr;
    return slots_[control];
}

// The holder's own picture, shared; a holder without one blanks the slot.
void TableSurface::SetPicture(int slot, int holder) {
    PictureSlot* target = Slot(slot);
    if (!target) return;
    const PictureSlot* source = Slot(holder);
    target->SetHolder(source ? source->Holder() : 0);
    ScreenChanged(slot);
}

void TableSurface::SetVisible(int slot, bool visible) {
    if (PictureSlot* target = Slot(slot)) {
        target->setVisible(visible);
        ScreenChanged(slot);
    }
}

// When a slot changes, the focus leaves a card that has gone; a screen reader hears of
// every change of a slot or of the text.
void TableSurface::ScreenChanged(int control) {
    keyboard_.SlotChanged(control);
    if (accessibility_ && QAccessible::isActive()) accessibility_->ScreenChanged();
}

int TableSurface::ShownHolder(int control) const {
    const PictureSlot* slot = Slot(control);
    if (!slot || slot->isHidden()) return 0;
    const int holder = slot->Holder();
    return IsBlankIndex(holder) ? 0 : holder;
}

TableAccessibility* TableSurface::Accessibility() {
    if (!accessibility_) accessibility_ = new TableAccessibility(*this);
    return accessibility_;
}

// A card lies over the one before it, but an empty slot shows nothing: the user sees
// the card beneath, so a point on a visible picture belongs to that picture's slot
// even where a later, blank slot's area lies over it. Only the bare background is left
// to the blank hand slots; there the first one whose area holds the point takes it, so
// every blank slot right of the last card keeps a strip of its own.
PictureSlot* TableSurface::ClickTargetAt(QPoint point) const {
    for (int control = kLastControl; control >= kFirstControl; --control) {
        PictureSlot* s = slots_[control];
        if (!s->isHidden() && !s->Picture().isNull() && s->geometry().contains(point))
            return s->Clickable() ? s : nullptr;
    }
    for (int control = kFirstControl; control <= kLastControl; ++control) {
        PictureSlot* s = slots_[control];
        if (s->Clickable() && !s->isHidden() && s->geometry().contains(point)) return s;
    }
    return nullptr;
}

// A click is a press and a release of the left button over the same slot. A release
// without its press (the press came while the game was busy and was dropped) is no click.
void TableSurface::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    keyboard_.MouseUsed();
    const PictureSlot* target = ClickTargetAt(event->position().toPoint());
    pressedControl_ = target ? target->Control() : 0;
    event->accept();
}

void TableSurface::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    const int pressed = pressedControl_;
    pressedControl_ = 0;
    event->accept();
    const PictureSlot* target = ClickTargetAt(event->position().toPoint());
    if (pressed != 0 && target && target->Control() == pressed) emit slotClicked(pressed);
}

// A click made with a key or by a screen reader's press goes where a mouse click goes,
// and like a mouse click it is dropped while the game is busy.
void TableSurface::ActivateSlot(int control) {
    if (gate_ && gate_->IsClosed()) return;
    if (ClickEventOf(control) == nullptr) return;
    emit slotClicked(control);
}

// The action button's words, for mouse users as for a screen reader.
bool TableSurface::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const PictureSlot* target = ClickTargetAt(help->pos());
        if (target && target->Control() == kActionButtonSlot)
            QToolTip::showText(help->globalPos(), QStringLiteral("Беру / Бито"), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

// The keys of the table go to its keyboard focus; the others go their usual way.
void TableSurface::keyPressEvent(QKeyEvent* event) {
    if (keyboard_.KeyPressed(*event))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

// Tab and Shift+Tab stay on the table: they go between the hand and the button.
bool TableSurface::focusNextPrevChild(bool) {
    keyboard_.TabPressed();
    return true;
}

void TableSurface::focusInEvent(QFocusEvent* event) {
    keyboard_.TableFocusChanged();
    QWidget::focusInEvent(event);
    if (accessibility_) accessibility_->FocusMoved();
}

void TableSurface::focusOutEvent(QFocusEvent* event) {
    keyboard_.TableFocusChanged();
    QWidget::focusOutEvent(event);
    if (accessibility_) accessibility_->FocusMoved();
}

void TableSurface::FocusFirstCard() {
    keyboard_.ToFirstCard();
    setFocus(Qt::OtherFocusReason);
    if (accessibility_ && QAccessible::isActive()) accessibility_->FocusAgain();
}

// Bring the window up, in front and active, and paint what the game has done so far.
// A window on screen already repaints only what changed, in the wait or the return to
// the event loop that follows within the same moment; between two computers this comes
// every move, and a whole new frame each time would cost more than the move (CPU while
// two computers play at the slow pace: `window_bench game 1 slow`, bench/run.sh).
void TableSurface::ShowWindow() {
    QWidget* w = window();
    const bool wasShown = w->isVisible();
    w->show();
    w->raise();
    if (!w->isActiveWindow()) w->activateWindow();
    SyncText();
    if (wasShown) return;
    // A window just shown is painted once the window system has exposed it.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    w->repaint();
}

// Between two computers the same messages and numbers stand on the table move after
// move, and every move that repaints a card under a line draws that line again; laying
// its glyphs out (shaping the text) each time costs more than drawing them: a slow
// two-computer game took a sixth more CPU time without the laid-out texts kept (CPU
// while two computers play at the slow pace: `window_bench game 1 slow`, bench/run.sh).
// They are kept while there are few of them; the numbers of many rounds would make them
// many, and then they are laid out afresh.
const TableSurface::LaidOutLine& TableSurface::LaidOut(const std::string& utf8) {
    auto it = laidOut_.find(utf8);
    if (it != laidOut_.end()) return it->second;
    if (laidOut_.size() >= 128) laidOut_.clear();
    LaidOutLine line{QStaticText(QString::fromStdString(utf8)), {}};
    line.glyphs.setTextFormat(Qt::PlainText);
    line.glyphs.prepare(QTransform(), font_);
    // The ink of the glyphs, which may reach a little past the advance at either end,
    // with the line's whole height, the baseline one ascent below the top.
    const QFontMetrics metrics(font_);
    const int advance = static_cast<int>(std::ceil(line.glyphs.size().width()));
    line.ink = (metrics.boundingRect(line.glyphs.text()) | QRect(0, -metrics.ascent(), advance, metrics.height()))
                   .translated(0, metrics.ascent());
    return laidOut_.emplace(utf8, std::move(line)).first->second;
}

// Where a printed line's glyphs put ink, and a little more on every side.
QRect TableSurface::InkArea(const TextLayer::Run& run) {
    constexpr int kMargin = 2;
    return LaidOut(run.text).ink.translated(ToPixels(run.x), ToPixels(run.y))
        .adjusted(-kMargin, -kMargin, kMargin, kMargin);
}

// Only the lines and pixels that appeared or went away are repainted, each where it
// lies: a move that prints a message repaints that message, not the whole table with
// every card on it (CPU while two computers play at the slow pace: `window_bench game 1
// slow`, bench/run.sh).
void TableSurface::SyncText() {
    const auto has = [](const auto& list, const auto& entry) {
        return std::find(list.begin(), list.end(), entry) != list.end();
    };
    if (syncedRuns_ == text_.Runs() && syncedPixels_ == text_.Pixels()) return;
    ScreenChanged(0);
    for (const TextLayer::Run& run : syncedRuns_)
        if (!has(text_.Runs(), run)) update(InkArea(run));
    for (const TextLayer::Run& run : text_.Runs())
        if (!has(syncedRuns_, run)) update(InkArea(run));
    for (const TextLayer::Pixel& p : syncedPixels_)
        if (!has(text_.Pixels(), p)) update(ToPixels(p.x), ToPixels(p.y), 1, 1);
    for (const TextLayer::Pixel& p : text_.Pixels())
        if (!has(syncedPixels_, p)) update(ToPixels(p.x), ToPixels(p.y), 1, 1);
    syncedRuns_ = text_.Runs();
    syncedPixels_ = text_.Pixels();
}

// The text layer lies on the background, under every slot: black text from the pen
// positions and the single plotted pixels. Then the slots that show a picture, in
// control order, each over the ones before it.
void TableSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setFont(font_);
    painter.setPen(Qt::black);
    const QRegion& dirty = event->region();
    for (const TextLayer::Pixel& p : text_.Pixels()) painter.drawPoint(ToPixels(p.x), ToPixels(p.y));
    // Only the lines that cross the repainted area, each drawn from its top-left corner:
    // the baseline lies one ascent lower, where drawing from the baseline puts it.
    for (const TextLayer::Run& run : text_.Runs()) {
        const int left = ToPixels(run.x), top = ToPixels(run.y);
        if (!dirty.intersects(QRect(left, top, width() - left, painter.fontMetrics().height()))) continue;
        painter.drawStaticText(left, top, LaidOut(run.text).glyphs);
    }
    // The pictures one rectangle of the repainted area at a time, each under a clip of its
    // own: under a clip of one rectangle a card's pixels are copied straight in, where under
    // a clip of several the card is drawn line by line, and so many lines are shared out to
    // helper threads, which then wake for every move (CPU while two computers play at the
    // slow pace: `window_bench game 1 slow`, bench/run.sh).
    const bool several = dirty.rectCount() > 1;
    for (const QRect& area : dirty) {
        if (several) painter.setClipRect(area);
        for (const PictureSlot* s : slots_) {
            if (!s || s->isHidden() || s->Holder() == 0 || !s->geometry().intersects(area)) continue;
            painter.drawPixmap(s->pos(), s->Picture());
        }
    }
    keyboard_.PaintRing(painter);
}

}  // namespace durak::qt
