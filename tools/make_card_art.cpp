// Card art generator, run by the build.
//
// Renders every picture the window's holders carry from an SVG card deck: the
// 36 faces, the fans of backs for the computer's hand, the stock, the four suit
// icons, and draws the action button. Each picture is written at its natural
// pixel size (image<N>.png) and at twice that size (image<N>@2x.png) for
// high-density screens, together with the application icon at three sizes
// (rendered from the game's own scalable icon) and a contact sheet that shows
// everything on one page for a quick look. The program embeds the PNGs.
//
//   make_card_art <deck.svgz> <output folder> <icon.svg>
//
// Exits non-zero, saying why, when the deck, one of its cards or the icon is
// missing or a file cannot be written, so a broken deck fails the build instead of leaving
// holes in the game.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QSvgRenderer>
#include <QTransform>

#include <cmath>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Colours
// ---------------------------------------------------------------------------

// The card stock: the deck's white turned a warm cream, as printed cards are.
const QColor kCream(255, 250, 236);
// The window's plain background, for the contact sheet.
const QColor kWindowGrey(239, 239, 239);
const QColor kOutline(24, 24, 24);

// ---------------------------------------------------------------------------
// The deck
// ---------------------------------------------------------------------------

// A card of the deck is 71 x 96 at its natural size; everything keeps that shape.
constexpr double kCardAspect = 71.0 / 96.0;

struct Deck {
    mutable QSvgRenderer svg;  // rendering changes no card, only its animation clock

    explicit Deck(const QString& path) : svg(path) {
        if (!svg.isValid()) throw std::runtime_error("cannot read the card deck " + path.toStdString());
    }

    void Require(const QString& id) const {
        if (!svg.elementExists(id)) throw std::runtime_error("the deck has no card " + id.toStdString());
    }
};

// The deck's element name of a face: rank word or number, then the suit.
// Suit 0..3 = spades, clubs, diamonds, hearts; k 1..4 = jack, queen, king, ace,
// k 6..10 = the number cards, as in the holders' numbering N = 10 * suit + k.
QString FaceId(int suit, int k) {
    static const char* const kSuitWords[4] = {"spade", "club", "diamond", "heart"};
    static const char* const kCourtWords[5] = {"", "jack", "queen", "king", "1"};
    const QString rank = k <= 4 ? QString::fromLatin1(kCourtWords[k]) : QString::number(k);
    return rank + QLatin1Char('_') + QLatin1String(kSuitWords[suit]);
}

// One card of the deck rendered at exactly `pixels` device pixels, its white
// tinted cream. Outside the rounded corners the image stays transparent, so a
// card lying over another shows the lower card there, not a square notch.
QImage RenderCard(const Deck& deck, const QString& id, QSize pixels) {
    QImage card(pixels, QImage::Format_ARGB32_Premultiplied);
    card.fill(Qt::transparent);
    {
        QPainter p(&card);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        deck.svg.render(&p, id, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    // Multiply by the cream: white becomes cream, black stays black, and the
    // premultiplied alpha of the corners is kept as it is.
    for (int y = 0; y < card.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(card.scanLine(y));
        for (int x = 0; x < card.width(); ++x) {
            const QRgb c = row[x];
            row[x] = qRgba(qRed(c) * kCream.red() / 255, qGreen(c) * kCream.green() / 255,
                           qBlue(c) * kCream.blue() / 255, qAlpha(c));
        }
    }
    return card;
}

// ---------------------------------------------------------------------------
// Pictures
// ---------------------------------------------------------------------------

// A picture is drawn in logical pixels (its natural size) through `draw`; the
// painter is scaled for the @2x version and `scale` says by how much, so card
// images can be rendered at the device resolution instead of being stretched.
using Draw = std::function<void(QPainter& p, int scale)>;

struct Picture {
    QString name;  // file name without ".png"
    QSize size;    // natural size in pixels
    Draw draw;
    int holder = 0;  // the window's holder number, 0 for the application icon
};

// Draws a card image that was rendered at device resolution at a logical place.
void PutCard(QPainter& p, const QImage& card, QPointF topLeft, int scale) {
    p.drawImage(QRectF(topLeft, QSizeF(card.size()) / scale), card);
}

// A face, filling its 71 x 96 holder exactly as the deck draws it.
Picture Face(const Deck& deck, int suit, int k) {
    const QString id = FaceId(suit, k);
    deck.Require(id);
    const int n = 10 * suit + k;
    const QSize size(71, 96);
    return {QStringLiteral("image%1").arg(n), size,
            [&deck, id, size](QPainter& p, int scale) {
                PutCard(p, RenderCard(deck, id, size * scale), {0, 0}, scale);
            },
            n};
}

// A fan of `count` backs lying left to right, each over the one before, as wide
// as the holder allows: the first back at the left edge, the last at the right.
Picture Fan(const Deck& deck, int holder, int count, QSize size) {
    return {QStringLiteral("image%1").arg(holder), size,
            [&deck, count, size](QPainter& p, int scale) {
                const int height = size.height();
                const int width = static_cast<int>(std::lround(height * kCardAspect));
                const QImage back = RenderCard(deck, "back", QSize(width, height) * scale);
                if (count == 1) {
                    PutCard(p, back, {double((size.width() - width) / 2), 0}, scale);
                    return;
                }
                // Whole-pixel steps keep every card edge sharp at both sizes.
                const double step = double(size.width() - width) / (count - 1);
                for (int i = 0; i < count; ++i)
                    PutCard(p, back, {double(std::lround(i * step)), 0}, scale);
            },
            holder};
}

// The stock: one back lying sideways, centred in its holder.
Picture Stock(const Deck& deck) {
    const QSize size(102, 72);
    return {QStringLiteral("image69"), size,
            [&deck, size](QPainter& p, int scale) {
                const int shortSide = size.height();
                const int longSide = static_cast<int>(std::lround(shortSide / kCardAspect));
                const QImage upright = RenderCard(deck, "back", QSize(shortSide, longSide) * scale);
                const QImage lying = upright.transformed(QTransform().rotate(90));
                PutCard(p, lying, {double((size.width() - longSide) / 2), 0}, scale);
            },
            69};
}

// A suit icon: the suit's large pip centred on a cream card of the holder's size.
Picture SuitIcon(const Deck& deck, int holder, const QString& suitId, QSize size) {
    deck.Require(suitId);
    return {QStringLiteral("image%1").arg(holder), size,
            [&deck, suitId, size](QPainter& p, int) {
                p.setRenderHint(QPainter::Antialiasing);
                const QRectF ground = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(0.5, 0.5, -0.5, -0.5);
                p.setPen(QPen(kOutline, 1.0));
                p.setBrush(kCream);
                p.drawRoundedRect(ground, 4.0, 4.0);
                // The pip keeps the deck's proportions and takes about half the width.
                const QRectF bounds = deck.svg.boundsOnElement(suitId);
                const double pipWidth = size.width() * 0.56;
                const double pipHeight = pipWidth * bounds.height() / bounds.width();
                const QRectF pip((size.width() - pipWidth) / 2, (size.height() - pipHeight) / 2,
                                 pipWidth, pipHeight);
                deck.svg.render(&p, suitId, pip);
            },
            holder};
}

// The action button: a grey panel framed in black. Two thick red lines run from
// the corners diagonally inwards and then straight across, so between them the
// panel reads as a bar pinched at the waist; a small blue lattice cross stands
// at each end of the bar.
Picture ActionButton() {
    const QSize size(114, 92);
    return {QStringLiteral("image70"), size,
            [size](QPainter& p, int) {
                p.setRenderHint(QPainter::Antialiasing);
                const double w = size.width(), h = size.height();

                // Panel with a black frame and a light upper-left / dark lower-right
                // edge, so it reads as something to press.
                p.fillRect(QRectF(0, 0, w, h), QColor(192, 192, 192));
                p.setPen(QPen(QColor(250, 250, 250), 2.0, Qt::SolidLine, Qt::FlatCap));
                p.drawLine(QPointF(3, 3), QPointF(w - 3, 3));
                p.drawLine(QPointF(3, 3), QPointF(3, h - 3));
                p.setPen(QPen(QColor(120, 120, 120), 2.0, Qt::SolidLine, Qt::FlatCap));
                p.drawLine(QPointF(3, h - 3), QPointF(w - 3, h - 3));
                p.drawLine(QPointF(w - 3, 3), QPointF(w - 3, h - 3));
                p.setPen(QPen(Qt::black, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
                p.setBrush(Qt::NoBrush);
                p.drawRect(QRectF(1, 1, w - 2, h - 2));

                // The waisted bar: inset from the corners, bending at a third of
                // the width, its waist a third of the height.
                const double inset = 8, bendX = 34, waist = h / 6;
                QPolygonF top, bottom;
                top << QPointF(inset, inset) << QPointF(bendX, h / 2 - waist)
                    << QPointF(w - bendX, h / 2 - waist) << QPointF(w - inset, inset);
                bottom << QPointF(inset, h - inset) << QPointF(bendX, h / 2 + waist)
                       << QPointF(w - bendX, h / 2 + waist) << QPointF(w - inset, h - inset);
                p.setPen(QPen(QColor(204, 0, 0), 5.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.drawPolyline(top);
                p.drawPolyline(bottom);

                // Lattice crosses: three short strokes each way, crossing in a grid.
                p.setPen(QPen(QColor(0, 40, 200), 1.5, Qt::SolidLine, Qt::FlatCap));
                for (const double cx : {inset + 9.0, w - inset - 9.0}) {
                    const double cy = h / 2, arm = 7, gap = 3.5;
                    for (const double d : {-gap, 0.0, gap}) {
                        p.drawLine(QPointF(cx - arm, cy + d), QPointF(cx + arm, cy + d));
                        p.drawLine(QPointF(cx + d, cy - arm), QPointF(cx + d, cy + arm));
                    }
                }
            },
            70};
}

// The application icon at one size, rendered from the game's own scalable icon (an
// ace of spades fanned over a back, on transparency), so the window, the menu and
// every icon size show the same picture.
Picture AppIcon(QSvgRenderer& icon, int side) {
    return {QStringLiteral("durak-%1").arg(side), QSize(side, side),
            [&icon, side](QPainter& p, int) {
                p.setRenderHint(QPainter::Antialiasing);
                icon.render(&p, QRectF(0, 0, side, side));
            },
            0};
}

// Every picture the window needs, in holder order, followed by the icons.
std::vector<Picture> AllPictures(const Deck& deck, QSvgRenderer& icon) {
    deck.Require("back");
    std::vector<Picture> all;
    for (int suit = 0; suit < 4; ++suit)
        for (int k = 1; k <= 10; ++k)
            if (k != 5) all.push_back(Face(deck, suit, k));

    struct FanSize { int holder, count, width, height; };
    const FanSize fans[] = {{47, 6, 138, 94}, {48, 5, 125, 94}, {49, 4, 112, 94}, {50, 3, 99, 93},
                            {51, 2, 85, 93},  {52, 1, 72, 94},  {54, 9, 141, 94}, {55, 10, 125, 94},
                            {71, 12, 137, 94}};
    for (const FanSize& f : fans) all.push_back(Fan(deck, f.holder, f.count, {f.width, f.height}));

    all.push_back(Stock(deck));
    all.push_back(ActionButton());
    all.push_back(SuitIcon(deck, 90, "spade", {66, 87}));
    all.push_back(SuitIcon(deck, 91, "club", {70, 95}));
    all.push_back(SuitIcon(deck, 92, "diamond", {72, 95}));
    all.push_back(SuitIcon(deck, 93, "heart", {73, 102}));
    for (const int side : {64, 128, 256}) all.push_back(AppIcon(icon, side));
    return all;
}

// Draws one picture at `scale` times its natural size, 24-bit colour where it is
// opaque, transparent only where a card's rounded corner leaves the picture.
QImage Render(const Picture& picture, int scale) {
    QImage image(picture.size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.scale(scale, scale);
        picture.draw(p, scale);
    }
    image.setDevicePixelRatio(scale);
    return image;
}

void Save(const QImage& image, const QString& path) {
    if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG"))
        throw std::runtime_error("cannot write " + path.toStdString());
}

// ---------------------------------------------------------------------------
// Contact sheet
// ---------------------------------------------------------------------------

// All holders on one page over the window's background, each labelled with
// its holder name; the blank holders 5, 15, 25, 35 are dashed outlines. The
// faces stand in four rows by suit, like the holders on the window.
QImage ContactSheet(const std::vector<Picture>& pictures, const std::vector<QImage>& images, int scale) {
    auto imageOf = [&](const QString& name) -> const QImage& {
        for (std::size_t i = 0; i < pictures.size(); ++i)
            if (pictures[i].name == name) return images[i];
        throw std::logic_error("no picture " + name.toStdString());
    };

    const int margin = 12, label = 16, gap = 10;
    const QSize page(margin * 2 + 10 * 81, 4 * (96 + label + gap) + 3 * (102 + label + gap) + 256 + margin * 2);
    QImage sheet(page * scale, QImage::Format_ARGB32_Premultiplied);
    sheet.setDevicePixelRatio(scale);
    sheet.fill(kWindowGrey);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    p.setFont(font);

    auto put = [&](const QString& name, const QString& caption, int x, int y) {
        const QImage& image = imageOf(name);
        p.drawImage(QPointF(x, y), image);
        const QSizeF logical = QSizeF(image.size()) / image.devicePixelRatio();
        p.setPen(Qt::black);
        p.drawText(QRectF(x, y + logical.height() + 1, std::max(logical.width(), 70.0), label),
                   Qt::AlignLeft | Qt::AlignTop, caption);
        return static_cast<int>(logical.width());
    };

    int y = margin;
    for (int suit = 0; suit < 4; ++suit) {
        for (int k = 1; k <= 10; ++k) {
            const int n = 10 * suit + k, x = margin + (k - 1) * 81;
            if (k == 5) {
                p.setPen(QPen(QColor(140, 140, 140), 1, Qt::DashLine));
                p.setBrush(Qt::NoBrush);
                p.drawRect(QRectF(x + 0.5, y + 0.5, 70, 95));
                p.setPen(Qt::black);
                p.drawText(QRectF(x, y + 97, 70, label), Qt::AlignLeft | Qt::AlignTop,
                           QStringLiteral("Image%1 —").arg(n));
                continue;
            }
            put(QStringLiteral("image%1").arg(n), QStringLiteral("Image%1").arg(n), x, y);
        }
        y += 96 + label + gap;
    }

    auto row = [&](std::initializer_list<int> holders, int height) {
        int x = margin;
        for (const int n : holders)
            x += put(QStringLiteral("image%1").arg(n), QStringLiteral("Image%1").arg(n), x, y) + gap + 6;
        y += height + label + gap;
    };
    row({52, 51, 50, 49, 48, 47}, 94);
    row({54, 55, 71, 69, 70}, 94);
    row({90, 91, 92, 93}, 102);

    int x = margin;
    for (const int side : {64, 128, 256})
        x += put(QStringLiteral("durak-%1").arg(side), QStringLiteral("icon %1").arg(side), x, y) + gap * 2;
    return sheet;
}

}  // namespace

int main(int argc, char** argv) {
    // The generator never needs a screen, also when the build runs on a desktop.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    if (argc != 4) {
        std::fprintf(stderr, "usage: make_card_art <deck.svgz> <output folder> <icon.svg>\n");
        return 2;
    }
    try {
        const Deck deck(QString::fromLocal8Bit(argv[1]));
        const QDir out(QString::fromLocal8Bit(argv[2]));
        if (!out.mkpath(QStringLiteral(".")))
            throw std::runtime_error(std::string("cannot create ") + argv[2]);

        QSvgRenderer icon(QString::fromLocal8Bit(argv[3]));
        if (!icon.isValid()) throw std::runtime_error(std::string("cannot read the icon ") + argv[3]);

        const std::vector<Picture> pictures = AllPictures(deck, icon);
        std::vector<QImage> natural, doubled;
        for (const Picture& picture : pictures) {
            natural.push_back(Render(picture, 1));
            Save(natural.back(), out.filePath(picture.name + ".png"));
            if (picture.holder == 0) {
                doubled.push_back(natural.back());
                continue;
            }
            doubled.push_back(Render(picture, 2));
            Save(doubled.back(), out.filePath(picture.name + "@2x.png"));
        }
        Save(ContactSheet(pictures, natural, 1), out.filePath(QStringLiteral("contact_sheet.png")));
        Save(ContactSheet(pictures, doubled, 2), out.filePath(QStringLiteral("contact_sheet@2x.png")));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_card_art: %s\n", e.what());
        return 1;
    }
    return 0;
}
