#include "ui/table_accessibility.h"

#include <QAccessibleWidget>
#include <QDBusConnection>
#include <QDBusMessage>
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

using Kind = TableKey::Kind;

bool IsHandOrButton(TableKey key) {
    return key.kind == Kind::Slot && (HandSlotOfControl(key.index) != 0 || key.index == kActionButtonSlot);
}
QString Words(const std::string& utf8) { return QString::fromStdString(utf8); }

// A text layer position in twips as a point of the surface.
QPoint TwipsToPixels(std::int64_t x, std::int64_t y) {
    return {static_cast<int>(x / kTwipsPerPixel), static_cast<int>(y / kTwipsPerPixel)};
}

// One object of the table that is no widget of its own: a card, the button, the list of
// pairs or one pair, the trump, the fan, a card face up, the status line, the
// notification or a printed line.
class TableObject : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TableObject(TableAccessibility& table, TableKey key) : table_(&table), key_(key) {}

    bool isValid() const override { return !table_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return isValid() ? table_->Surface().window()->windowHandle() : nullptr;
    }

    QAccessibleInterface* parent() const override {
        if (!isValid()) return nullptr;
        if (key_.kind == Kind::Pair) return table_->Object({Kind::Table});
        return QAccessible::queryAccessibleInterface(&table_->Surface());
    }
    int childCount() const override {
        return isValid() && key_.kind == Kind::Table ? static_cast<int>(table_->Pairs().size()) : 0;
    }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
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
        // A notification keeps its text after it has given way to the next.
        if (isValid() && key_.kind == Kind::Notice && t == QAccessible::Name) return table_->NoticeText(key_.index);
        const TableAccessibility::Entry* entry = isValid() ? table_->Find(key_) : nullptr;
        if (!entry) return {};
        if (t == QAccessible::Name) return entry->name;
        if (t == QAccessible::Description) return entry->description;
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!isValid()) return {};
        TableSurface& surface = table_->Surface();
        QRect area;
        if (key_.kind == Kind::Slot) {
            if (PictureSlot* slot = surface.Slot(key_.index)) area = slot->geometry();
        } else if (key_.kind == Kind::Table || key_.kind == Kind::Pair) {
            const int k = key_.kind == Kind::Pair ? table_->PairPlace(key_) : 0;
            for (int pair = 1; pair <= kPairs; ++pair) {
                if (k != 0 && pair != k) continue;
                for (int place : {kPlayerAttackPlace[pair], kComputerDefencePlace[pair],
                                  kComputerAttackPlace[pair], kPlayerDefencePlace[pair]})
                    area |= surface.Slot(place)->geometry();
            }
        } else {
            const QFontMetrics metrics(surface.font());
            // The status line and the notification stand where the messages are printed.
            QPoint at = TwipsToPixels(TextLayer::kStatusLineX, TextLayer::kStatusLineY);
            if (key_.kind == Kind::Line) at = table_->LinePlace(key_);
            area = QRect(at, QSize(metrics.horizontalAdvance(text(QAccessible::Name)), metrics.height()));
        }
        return QRect(surface.mapToGlobal(area.topLeft()), area.size());
    }

    QAccessible::Role role() const override {
        if (IsHandOrButton(key_)) return QAccessible::PushButton;
        switch (key_.kind) {
            case Kind::Table: return QAccessible::List;
            case Kind::Pair: return QAccessible::ListItem;
            case Kind::Status: return QAccessible::StatusBar;
            case Kind::Notice: return QAccessible::Notification;
            default: return QAccessible::StaticText;
        }
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        // A notification is shown as long as it keeps its text.
        const bool shown = key_.kind == Kind::Notice ? !table_->NoticeText(key_.index).isEmpty()
                                                     : table_->Find(key_) != nullptr;
        if (!isValid() || !shown) {
            state.invisible = true;
            return state;
        }
        if (IsHandOrButton(key_)) {
            state.focusable = true;
            const TableSurface& surface = table_->Surface();
            state.focused = surface.hasFocus() && surface.FocusedControl() == key_.index;
        }
        if (key_.kind == Kind::Status || key_.kind == Kind::Notice) state.readOnly = true;
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
    TableKey key_;
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

// A screen reader registers with the accessibility registry for the events it wants,
// and a program sends only the events somebody wants. As the program joins the bus, Qt
// first asks the registry which events are wanted and only then starts to listen for the
// registry's news of listeners that come later: a screen reader registering in between
// (as one started at the same moment may well do) would never be sent a thing. Once Qt
// listens, a listener of the program's own, registered and at once deregistered, makes
// the registry tell every program of a change, and Qt asks again: whoever registered in
// between is known from then on.
class ListenersAskedAgain : public QAccessible::ActivationObserver {
public:
    void accessibilityActiveChanged(bool active) override {
        if (!active) return;
        // Qt's bridge starts to listen right after it tells its observers.
        QTimer::singleShot(0, [] {
            QDBusConnection bus(QStringLiteral("a11y"));  // the connection Qt's bridge opened
            if (!bus.isConnected()) return;
            const QString registry = QStringLiteral("org.a11y.atspi.Registry");
            const QString path = QStringLiteral("/org/a11y/atspi/registry");
            // An event of a kind Qt sends nothing of.
            const QString event = QStringLiteral("terminal:line-changed");
            QDBusMessage add = QDBusMessage::createMethodCall(registry, path, registry, QStringLiteral("RegisterEvent"));
            add << event << QStringList() << QString();
            bus.call(add, QDBus::NoBlock);
            QDBusMessage remove = QDBusMessage::createMethodCall(registry, path, registry, QStringLiteral("DeregisterEvent"));
            remove << event;
            bus.call(remove, QDBus::NoBlock);
        });
    }
};

}  // namespace

void InstallTableAccessibility() {
    static bool installed = false;
    if (installed) return;
    QAccessible::installFactory(MakeSurfaceObject);
    static ListenersAskedAgain listenersAskedAgain;
    QAccessible::installActivationObserver(&listenersAskedAgain);
    if (QAccessible::isActive()) listenersAskedAgain.accessibilityActiveChanged(true);
    installed = true;
}

TableAccessibility::TableAccessibility(TableSurface& surface) : QObject(&surface), surface_(surface) {}

TableAccessibility::~TableAccessibility() {
    for (const auto& [key, object] : made_)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(object));
}

// What the screen shows, read slot by slot and line by line.
void TableAccessibility::Read(std::vector<Entry>& objects, std::vector<Entry>& pairs) {
    auto card = [this](int control) { return CardOfPictureIndex(surface_.ShownHolder(control)); };
    auto cardName = [&](int control) { return Words(CardName(card(control))); };
    auto slot = [](int control) { return TableKey{Kind::Slot, control}; };

    int held = 0;
    for (int s = 1; s <= 12; ++s) held += card(HandSlotControl(s)) != 0;
    for (int s = 1, place = 1; s <= 12; ++s) {
        const int control = HandSlotControl(s);
        if (card(control))
            objects.push_back({slot(control), cardName(control), QStringLiteral("%1 из %2").arg(place++).arg(held)});
    }
    if (surface_.ShownHolder(kActionButtonSlot))
        objects.push_back({slot(kActionButtonSlot), QStringLiteral("Беру / Бито"), {}});

    // The list's items are keyed by their place in the list: when a round ends and the
    // next begins, the first pair is renamed rather than one item going and another
    // coming, which is one message on the bus instead of two.
    objects.push_back({{Kind::Table}, QStringLiteral("Стол"), {}});
    pairPlaces_.clear();
    auto pair = [&](int place, int attack, int defence) {
        QString name;
        if (card(attack)) name = QStringLiteral("атака: ") + cardName(attack);
        if (card(defence))
            name += (name.isEmpty() ? QString() : QStringLiteral("; ")) + QStringLiteral("защита: ") + cardName(defence);
        if (name.isEmpty()) return;
        pairs.push_back({{Kind::Pair, static_cast<int>(pairs.size())}, name, {}});
        pairPlaces_.push_back(place);
    };
    for (int k = 1; k <= kPairs; ++k) {
        pair(k, kPlayerAttackPlace[k], kComputerDefencePlace[k]);
        pair(k, kComputerAttackPlace[k], kPlayerDefencePlace[k]);
    }

    const int trump = surface_.ShownHolder(kTrumpSlot);
    if (card(kTrumpSlot))
        objects.push_back({slot(kTrumpSlot), QStringLiteral("Козырь: ") + cardName(kTrumpSlot), {}});
    else if (trump >= kSuitIconHolder1 && trump <= kSuitIconHolder4)
        objects.push_back({slot(kTrumpSlot),
                           QStringLiteral("Козырь: ") + Words(SuitNameInPlural(trump - kSuitIconHolder1 + 1)), {}});
    if (const int backs = BacksInFan(surface_.ShownHolder(kComputerFanSlot)))
        objects.push_back({slot(kComputerFanSlot), QStringLiteral("Карты компа: %1").arg(backs), {}});
    for (int c = kComputerFaceUpSlot1; c < kComputerFaceUpSlot1 + 6; ++c)
        if (card(c)) objects.push_back({slot(c), cardName(c), {}});

    // The message on the status line is the last text printed there; the other lines
    // follow in reading order, top to bottom, left to right.
    QString status;
    std::vector<const TextLayer::Run*> lines;
    for (const TextLayer::Run& run : surface_.Text().Runs()) {
        if (run.text.empty()) continue;
        if (run.x == TextLayer::kStatusLineX && run.y == TextLayer::kStatusLineY) status = Words(run.text);
        else lines.push_back(&run);
    }
    objects.push_back({{Kind::Status}, status, {}});
    std::stable_sort(lines.begin(), lines.end(), [](const TextLayer::Run* a, const TextLayer::Run* b) {
        return a->y != b->y ? a->y < b->y : a->x < b->x;
    });
    linePlaces_.clear();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        objects.push_back({{Kind::Line, static_cast<int>(i)}, Words(lines[i]->text).trimmed(), {}});
        linePlaces_.push_back(TwipsToPixels(lines[i]->x, lines[i]->y));
    }
}

void TableAccessibility::EnsureRead() {
    if (!read_) Refresh();
}

const std::vector<TableAccessibility::Entry>& TableAccessibility::Objects() {
    EnsureRead();
    return objects_;
}

const std::vector<TableAccessibility::Entry>& TableAccessibility::Pairs() {
    EnsureRead();
    return pairs_;
}

const TableAccessibility::Entry* TableAccessibility::Find(TableKey key) {
    const std::vector<Entry>& list = key.kind == Kind::Pair ? Pairs() : Objects();
    const auto it = std::find_if(list.begin(), list.end(), [key](const Entry& e) { return e.key == key; });
    return it == list.end() ? nullptr : &*it;
}

QPoint TableAccessibility::LinePlace(TableKey key) const {
    const std::size_t i = static_cast<std::size_t>(key.index);
    return i < linePlaces_.size() ? linePlaces_[i] : QPoint();
}

int TableAccessibility::PairPlace(TableKey key) const {
    const std::size_t i = static_cast<std::size_t>(key.index);
    return i < pairPlaces_.size() ? pairPlaces_[i] : 0;
}

QAccessibleInterface* TableAccessibility::Object(TableKey key) {
    auto it = made_.find(key);
    if (it != made_.end()) return it->second;
    auto* object = new TableObject(*this, key);
    QAccessible::registerAccessibleInterface(object);
    made_.emplace(key, object);
    return object;
}

QAccessibleInterface* TableAccessibility::FocusedObject() {
    if (!surface_.hasFocus()) return nullptr;
    return Object({Kind::Slot, surface_.FocusedControl()});
}

void TableAccessibility::ScreenChanged() {
    if (held_) {
        changedWhileHeld_ = true;
        return;
    }
    if (refreshPending_) return;
    refreshPending_ = true;
    QTimer::singleShot(0, this, [this] { Refresh(); });
}

void TableAccessibility::FocusMoved() {
    if (QAccessible::isActive()) ScreenChanged();
}

void TableAccessibility::FocusAgain() {
    focusAgain_ = true;
    ScreenChanged();
}

void TableAccessibility::Press(TableKey key) {
    QPointer<TableSurface> surface(&surface_);
    const int control = key.index;
    QMetaObject::invokeMethod(
        &surface_, [surface, control] { if (surface) surface->ActivateSlot(control); }, Qt::QueuedConnection);
}

void TableAccessibility::Announce(const QString& text) {
    notice_ = (notice_ + 1) % static_cast<int>(notices_.size());
    notices_[static_cast<std::size_t>(notice_)] = text;
    announcing_ = true;
    const bool held = held_;
    held_ = false;
    ScreenChanged();
    held_ = held;
}

void TableAccessibility::Current() {
    if (!changedWhileHeld_ && !refreshPending_ && read_) return;
    changedWhileHeld_ = false;
    Refresh();
}

void TableAccessibility::Hold(bool held) {
    held_ = held;
    if (!held && changedWhileHeld_) {
        changedWhileHeld_ = false;
        ScreenChanged();
    }
}

void TableAccessibility::Send(TableKey key, QAccessible::Event type) {
    QAccessibleEvent event(Object(key), type);
    QAccessible::updateAccessibility(&event);
}

// The objects take what the screen shows now; then the screen reader hears, in this
// order, which objects went, which came, which were renamed, where the focus is, and last
// what the game has to tell. An object coming or going is one event of its parent's
// children: a screen reader asks for no more, and each event costs the program a message
// on the bus, and more where the screen reader asks about its object.
void TableAccessibility::Refresh() {
    refreshPending_ = false;
    std::vector<Entry> objects, pairs;
    Read(objects, pairs);
    const bool first = !read_;
    std::vector<Entry> oldObjects = std::move(objects_), oldPairs = std::move(pairs_);
    objects_ = std::move(objects);
    pairs_ = std::move(pairs);
    read_ = true;

    if (!first) {
        auto find = [](const std::vector<Entry>& list, TableKey key) {
            return std::find_if(list.begin(), list.end(), [key](const Entry& e) { return e.key == key; });
        };
        for (const auto& [before, now] : {std::pair{&oldObjects, &objects_}, std::pair{&oldPairs, &pairs_}}) {
            for (const Entry& e : *before)
                if (find(*now, e.key) == now->end()) Send(e.key, QAccessible::ObjectDestroyed);
            // A card's place in the hand is read with it when the focus comes to it; its
            // changes are not sent, or every card would be news at every move.
            for (const Entry& e : *now) {
                const auto old = find(*before, e.key);
                if (old == before->end())
                    Send(e.key, QAccessible::ObjectCreated);
                else if (old->name != e.name)
                    Send(e.key, QAccessible::NameChanged);
            }
        }
    }
    // Held, the focus is left to the rest after the play: the cards under it come and go.
    const int focus = surface_.hasFocus() ? surface_.FocusedControl() : 0;
    if (!held_ && focus != 0 && (focus != focusControl_ || focusAgain_)) Send({Kind::Slot, focus}, QAccessible::Focus);
    if (!held_) {
        focusControl_ = focus;
        focusAgain_ = false;
    }

    if (announcing_) {
        announcing_ = false;
        Send({Kind::Notice, notice_}, QAccessible::ObjectShow);
    }
}

}  // namespace durak::qt
