#include "ui/table_accessibility.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QPointer>
#include <QTimer>

#include <algorithm>

#include "cards/card_code.h"
#include "cards/card_names.h"
#include "cards/picture_catalogue.h"
#include "ui/table_surface.h"

namespace durak::qt {

namespace {

using Key = int;

bool IsHandOrButton(Key key) { return HandSlotOfControl(key) != 0 || key == kActionButtonSlot; }
bool IsPair(Key key) {
    return key > TableAccessibility::kPairKey && key <= TableAccessibility::kPairKey + 12;
}
bool IsLine(Key key) { return key >= TableAccessibility::kLineKey; }
QString Words(const std::string& utf8) { return QString::fromStdString(utf8); }

// A text layer position in twips as a point of the surface.
QPoint TwipsToPixels(std::int64_t x, std::int64_t y) {
    return {static_cast<int>(x / kTwipsPerPixel), static_cast<int>(y / kTwipsPerPixel)};
}

// One object of the table that is no widget of its own: a card, the button, the list of
// pairs or one pair, the trump, the fan, a card face up, the status line or a line.
class TableObject : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TableObject(TableAccessibility& table, Key key) : table_(&table), key_(key) {}

    bool isValid() const override { return !table_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return isValid() ? table_->Surface().window()->windowHandle() : nullptr;
    }

    QAccessibleInterface* parent() const override {
        if (!isValid()) return nullptr;
        if (IsPair(key_)) return table_->Object(TableAccessibility::kTableKey);
        return QAccessible::queryAccessibleInterface(&table_->Surface());
    }
    int childCount() const override {
        return isValid() && key_ == TableAccessibility::kTableKey
                   ? static_cast<int>(table_->Pairs().size())
                   : 0;
    }
    QAccessibleInterface* child(int index) const override {
        if (childCount() == 0 || index < 0 || index >= childCount()) return nullptr;
        return table_->Object(table_->Pairs()[static_cast<std::size_t>(index)].key);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (this->child(i) == child) return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i)
            if (child(i)->rect().contains(x, y)) return child(i);
        return nullptr;
    }

    QString text(QAccessible::Text t) const override {
        if (!isValid() || t != QAccessible::Name) return {};
        return table_->NameOf(key_);
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!isValid()) return {};
        TableSurface& surface = table_->Surface();
        QRect area;
        if (PictureSlot* slot = surface.Slot(key_)) {
            area = slot->geometry();
        } else if (key_ == TableAccessibility::kTableKey || IsPair(key_)) {
            const int k = IsPair(key_) ? (key_ - TableAccessibility::kPairKey - 1) % 6 + 1 : 0;
            for (int pair = 1; pair <= 6; ++pair) {
                if (k != 0 && pair != k) continue;
                for (int place : {kPlayerAttackPlace[pair], kComputerDefencePlace[pair],
                                  kComputerAttackPlace[pair], kPlayerDefencePlace[pair]})
                    area |= surface.Slot(place)->geometry();
            }
        } else {
            const QFontMetrics metrics(surface.font());
            const QString name = table_->NameOf(key_);
            // The notification stands where the status line is.
            QPoint at = TwipsToPixels(TextLayer::kStatusLineX, TextLayer::kStatusLineY);
            if (IsLine(key_)) at = table_->LinePlace(key_);
            area = QRect(at, QSize(metrics.horizontalAdvance(name), metrics.height()));
        }
        return QRect(surface.mapToGlobal(area.topLeft()), area.size());
    }

    QAccessible::Role role() const override {
        if (IsHandOrButton(key_)) return QAccessible::PushButton;
        if (key_ == TableAccessibility::kTableKey) return QAccessible::List;
        if (IsPair(key_)) return QAccessible::ListItem;
        if (key_ == TableAccessibility::kStatusKey) return QAccessible::StatusBar;
        if (key_ == TableAccessibility::kNoticeKey) return QAccessible::Notification;
        return QAccessible::StaticText;
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid() || !table_->Shown(key_)) {
            state.invisible = true;
            return state;
        }
        if (IsHandOrButton(key_)) {
            state.focusable = true;
            const TableSurface& surface = table_->Surface();
            state.focused = surface.hasFocus() && surface.FocusedControl() == key_;
        }
        if (key_ == TableAccessibility::kStatusKey || key_ == TableAccessibility::kNoticeKey)
            state.readOnly = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface && IsHandOrButton(key_))
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // The one action of a card or the button: a click.
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& actionName) override {
        if (isValid() && actionName == pressAction()) table_->Press(key_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<TableAccessibility> table_;
    Key key_;
};

// The table surface: a widget whose children are the objects above.
class SurfaceObject : public QAccessibleWidget {
public:
    explicit SurfaceObject(TableSurface* surface) : QAccessibleWidget(surface, QAccessible::Client) {}

    TableAccessibility& Table() const {
        return *static_cast<TableSurface*>(widget())->Accessibility();
    }
    int childCount() const override { return static_cast<int>(Table().Objects().size()); }
    QAccessibleInterface* child(int index) const override {
        const auto& objects = Table().Objects();
        if (index < 0 || index >= static_cast<int>(objects.size())) return nullptr;
        return Table().Object(objects[static_cast<std::size_t>(index)].key);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (this->child(i) == child) return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        // The later object lies over the earlier, as the later card lies over the earlier.
        for (int i = childCount() - 1; i >= 0; --i)
            if (child(i)->rect().contains(x, y)) return child(i);
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override { return Table().FocusedObject(); }
};

QAccessibleInterface* MakeSurfaceObject(const QString&, QObject* object) {
    if (auto* surface = qobject_cast<TableSurface*>(object)) {
        surface->Accessibility();
        return new SurfaceObject(surface);
    }
    return nullptr;
}

}  // namespace

void InstallTableAccessibility() {
    static bool installed = false;
    if (installed) return;
    QAccessible::installFactory(MakeSurfaceObject);
    installed = true;
}

TableAccessibility::TableAccessibility(TableSurface& surface) : QObject(&surface), surface_(surface) {}

TableAccessibility::~TableAccessibility() {
    for (const auto& [key, object] : made_)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(object));
}

// What the screen shows, read slot by slot and line by line.
void TableAccessibility::Read(std::vector<Entry>& objects, std::vector<Entry>& pairs) const {
    auto card = [this](int control) { return CardOfPictureIndex(surface_.ShownHolder(control)); };
    auto cardName = [&](int control) { return Words(CardName(card(control))); };

    for (int s = 1; s <= 12; ++s)
        if (card(HandSlotControl(s))) objects.push_back({HandSlotControl(s), cardName(HandSlotControl(s))});
    if (surface_.ShownHolder(kActionButtonSlot))
        objects.push_back({kActionButtonSlot, QStringLiteral("Беру / Бито")});

    objects.push_back({kTableKey, QStringLiteral("Стол")});
    auto pair = [&](int key, int attack, int defence) {
        QString name;
        if (card(attack)) name = QStringLiteral("атака: ") + cardName(attack);
        if (card(defence))
            name += (name.isEmpty() ? QString() : QStringLiteral("; ")) + QStringLiteral("защита: ") + cardName(defence);
        if (!name.isEmpty()) pairs.push_back({key, name});
    };
    for (int k = 1; k <= 6; ++k) {
        pair(kPairKey + k, kPlayerAttackPlace[k], kComputerDefencePlace[k]);
        pair(kPairKey + 6 + k, kComputerAttackPlace[k], kPlayerDefencePlace[k]);
    }

    const int trump = surface_.ShownHolder(kTrumpSlot);
    if (card(kTrumpSlot))
        objects.push_back({kTrumpSlot, QStringLiteral("Козырь: ") + cardName(kTrumpSlot)});
    else if (trump >= kSuitIconHolder1 && trump < kSuitIconHolder1 + 4)
        objects.push_back({kTrumpSlot, QStringLiteral("Козырь: ") +
                                           Words(SuitNameInPlural(trump - kSuitIconHolder1 + 1))});
    if (const int backs = BacksInFan(surface_.ShownHolder(kComputerFanSlot)))
        objects.push_back({kComputerFanSlot, QStringLiteral("Карты компа: %1").arg(backs)});
    for (int c = kComputerFaceUpSlot1; c < kComputerFaceUpSlot1 + 6; ++c)
        if (card(c)) objects.push_back({c, cardName(c)});

    // The message on the status line is the last text printed there; the other lines
    // follow in reading order, top to bottom, left to right.
    QString status;
    std::vector<const TextLayer::Run*> lines;
    for (const TextLayer::Run& run : surface_.Text().Runs()) {
        if (run.text.empty()) continue;
        if (run.x == TextLayer::kStatusLineX && run.y == TextLayer::kStatusLineY) status = Words(run.text);
        else lines.push_back(&run);
    }
    objects.push_back({kStatusKey, status});
    // A screen reader speaks the renamed status bar only while its focus is there; a
    // notification it speaks wherever the focus is, each time it is shown.
    if (!status.isEmpty()) objects.push_back({kNoticeKey, status});
    std::stable_sort(lines.begin(), lines.end(), [](const TextLayer::Run* a, const TextLayer::Run* b) {
        return a->y != b->y ? a->y < b->y : a->x < b->x;
    });
    linePlaces_.clear();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        objects.push_back({kLineKey + static_cast<int>(i), Words(lines[i]->text).trimmed()});
        linePlaces_.push_back(TwipsToPixels(lines[i]->x, lines[i]->y));
    }
}

const std::vector<TableAccessibility::Entry>& TableAccessibility::Objects() const {
    if (!read_) const_cast<TableAccessibility*>(this)->Refresh();
    return objects_;
}

const std::vector<TableAccessibility::Entry>& TableAccessibility::Pairs() const {
    if (!read_) const_cast<TableAccessibility*>(this)->Refresh();
    return pairs_;
}

QString TableAccessibility::NameOf(int key) const {
    for (const auto* list : {&Objects(), &Pairs()})
        for (const Entry& e : *list)
            if (e.key == key) return e.name;
    return {};
}

bool TableAccessibility::Shown(int key) const {
    for (const auto* list : {&Objects(), &Pairs()})
        for (const Entry& e : *list)
            if (e.key == key) return true;
    return false;
}

QPoint TableAccessibility::LinePlace(int key) const {
    const std::size_t i = static_cast<std::size_t>(key - kLineKey);
    return i < linePlaces_.size() ? linePlaces_[i] : QPoint();
}

QAccessibleInterface* TableAccessibility::Object(int key) {
    auto it = made_.find(key);
    if (it != made_.end()) return it->second;
    auto* object = new TableObject(*this, key);
    QAccessible::registerAccessibleInterface(object);
    made_.emplace(key, object);
    return object;
}

QAccessibleInterface* TableAccessibility::FocusedObject() {
    if (!surface_.hasFocus()) return nullptr;
    return Object(surface_.FocusedControl());
}

void TableAccessibility::ScreenChanged() {
    if (refreshPending_) return;
    refreshPending_ = true;
    QTimer::singleShot(0, this, [this] { Refresh(); });
}

void TableAccessibility::FocusMoved() {
    if (QAccessible::isActive()) ScreenChanged();
}

void TableAccessibility::Press(int key) {
    QPointer<TableSurface> surface(&surface_);
    QMetaObject::invokeMethod(
        &surface_, [surface, key] { if (surface) surface->ActivateSlot(key); }, Qt::QueuedConnection);
}

void TableAccessibility::Send(int key, QAccessible::Event type) {
    QAccessibleEvent event(Object(key), type);
    QAccessible::updateAccessibility(&event);
}

// The objects take what the screen shows now; then the screen reader hears, in this
// order, what went, what came, what was renamed and where the focus is.
void TableAccessibility::Refresh() {
    refreshPending_ = false;
    std::vector<Entry> objects, pairs;
    Read(objects, pairs);
    const bool first = !read_;
    std::vector<Entry> oldObjects = std::move(objects_), oldPairs = std::move(pairs_);
    objects_ = std::move(objects);
    pairs_ = std::move(pairs);
    read_ = true;
    if (first) return;  // nobody has seen the objects before

    auto find = [](const std::vector<Entry>& list, int key) {
        return std::find_if(list.begin(), list.end(), [key](const Entry& e) { return e.key == key; });
    };
    for (const auto& [before, now] : {std::pair{&oldObjects, &objects_}, std::pair{&oldPairs, &pairs_}}) {
        for (const Entry& e : *before)
            if (find(*now, e.key) == now->end()) {
                Send(e.key, QAccessible::ObjectHide);
                Send(e.key, QAccessible::ObjectDestroyed);
            }
        for (const Entry& e : *now) {
            const auto old = find(*before, e.key);
            if (old == before->end()) {
                Send(e.key, QAccessible::ObjectCreated);
                Send(e.key, QAccessible::ObjectShow);
            } else if (old->name != e.name) {
                Send(e.key, QAccessible::NameChanged);
                if (e.key == kNoticeKey) {  // a new message: the notification is shown anew
                    Send(e.key, QAccessible::ObjectHide);
                    Send(e.key, QAccessible::ObjectShow);
                }
            }
        }
    }
    const int focus = surface_.hasFocus() ? surface_.FocusedControl() : 0;
    if (focus != focusKey_ && focus != 0) Send(focus, QAccessible::Focus);
    focusKey_ = focus;
}

}  // namespace durak::qt
