// The embedded card pictures: every holder has its picture at its exact size and a
// twin at twice the size, the blank holders have none, each is its PNG pixel for
// pixel, and what the pictures show matches the holder numbers the game uses.

#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>

#include <cstdlib>
#include <map>
#include <vector>

#include "assets/holder_pictures.h"
#include "cards/card_code.h"
#include "cards/picture_catalogue.h"

namespace {

using durak::art::HasHolderPicture;
using durak::art::HolderImage;
using durak::art::HolderPicture;

struct Holder {
    int number;
    int width, height;
};

// The holders and the pixel sizes the window's layout is made for.
std::vector<Holder> AllHolders() {
    std::vector<Holder> all;
    for (int n = 1; n <= 40; ++n)
        if (!durak::IsBlankIndex(n)) all.push_back({n, 71, 96});
    const std::vector<Holder> others = {
        {52, 72, 94},  {51, 85, 93},  {50, 99, 93},  {49, 112, 94},  {48, 125, 94},
        {47, 138, 94}, {54, 141, 94}, {55, 125, 94}, {71, 137, 94},  {69, 102, 72},
        {70, 114, 92}, {90, 66, 87},  {91, 70, 95},  {92, 72, 95},   {93, 73, 102}};
    all.insert(all.end(), others.begin(), others.end());
    return all;
}

QImage Load(const QString& path) {
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

// What the game shows: the embedded pictures.
QImage Picture(int holder) { return HolderImage(holder, 1).convertToFormat(QImage::Format_ARGB32); }

QImage Twin(int holder) { return HolderImage(holder, 2).convertToFormat(QImage::Format_ARGB32); }

bool IsRed(QRgb c) {
    return qAlpha(c) == 255 && qRed(c) > 170 && qGreen(c) < 90 && qBlue(c) < 90;
}

// Printed ink on a card: any opaque pixel clearly darker or more coloured than
// the cream card stock.
int Ink(const QImage& image) {
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) == 255 && qMin(qRed(c), qMin(qGreen(c), qBlue(c))) < 160) ++ink;
        }
    return ink;
}

int CountPixels(const QImage& image, bool (*test)(QRgb)) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixel(x, y))) ++n;
    return n;
}

// The number of card backs lying side by side in a fan: along the middle row
// every back starts with its near-black outline followed by the light margin
// inside it; the backs' own pattern is navy, never near-black.
int BacksInFan(const QImage& fan) {
    auto outline = [](QRgb c) {
        return qAlpha(c) > 200 && qRed(c) < 90 && qGreen(c) < 90 && qBlue(c) < 90;
    };
    auto light = [](QRgb c) {
        return qAlpha(c) == 255 && qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 180;
    };
    const int y = fan.height() / 2;
    int backs = 0;
    for (int x = 0; x + 2 < fan.width(); ++x)
        if (outline(fan.pixel(x, y)) && (light(fan.pixel(x + 1, y)) || light(fan.pixel(x + 2, y)))) {
            ++backs;
            x += 2;  // a blurred outline may span two pixels
        }
    return backs;
}

// Ink as a mask over a part of a picture.
std::vector<std::vector<bool>> InkMask(const QImage& image, const QRect& area) {
    std::vector<std::vector<bool>> mask(area.height(), std::vector<bool>(area.width()));
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x) {
            const QRgb c = image.pixel(area.x() + x, area.y() + y);
            mask[y][x] = qAlpha(c) == 255 && qMin(qRed(c), qMin(qGreen(c), qBlue(c))) < 160;
        }
    return mask;
}

// The pips of a number card: separate blots of ink between the corner indices,
// each as its box on the face, in reading order of their top-left pixels.
std::vector<QRect> PipsOnFace(const QImage& face) {
    const QRect area(13, 4, 45, 88);
    auto mask = InkMask(face, area);
    const int h = static_cast<int>(mask.size()), w = static_cast<int>(mask[0].size());
    std::vector<QRect> pips;
    std::vector<QPoint> stack;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!mask[y][x]) continue;
            QRect box;
            stack.push_back({x, y});
            mask[y][x] = false;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                box |= QRect(p + area.topLeft(), QSize(1, 1));
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + d;
                    if (q.x() < 0 || q.y() < 0 || q.x() >= w || q.y() >= h || !mask[q.y()][q.x()]) continue;
                    mask[q.y()][q.x()] = false;
                    stack.push_back(q);
                }
            }
            pips.push_back(box);
        }
    return pips;
}

// The outline of the ink inside `area`, cut to its bounding box and shrunk to
// 16 x 16, so pips of different sizes can be compared by shape.
QImage Silhouette(const QImage& image, const QRect& area) {
    const auto mask = InkMask(image, area);
    QRect box;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            if (mask[y][x]) box |= QRect(x, y, 1, 1);
    QImage shape(box.size(), QImage::Format_ARGB32);
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x)
            shape.setPixel(x, y, mask[box.y() + y][box.x() + x] ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return shape.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// How far apart two pictures of one shape look, from 0 (alike) to 255: both
// are shrunk to a quarter of the first one's size, where rendering detail
// (a figure's fine hatching) evens out and only the picture itself is left.
double Difference(const QImage& a, const QImage& b) {
    const QSize coarse = a.size() / 4;
    auto shrink = [&](const QImage& image) {
        return image.scaled(coarse, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    };
    const QImage x = shrink(a), y = shrink(b);
    double sum = 0;
    for (int row = 0; row < coarse.height(); ++row)
        for (int col = 0; col < coarse.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum / (4.0 * coarse.width() * coarse.height());
}

// ---------------------------------------------------------------------------
// What the resources hold
// ---------------------------------------------------------------------------

TEST(PictureResources, EveryHolderHasItsPictureAtItsSizeAndATwinAtTwiceTheSize) {
    for (const Holder& h : AllHolders()) {
        SCOPED_TRACE(testing::Message() << "Image" << h.number);
        ASSERT_TRUE(HasHolderPicture(h.number));
        const QImage picture = Picture(h.number);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), QSize(h.width, h.height));
        const QImage twin = Twin(h.number);
        ASSERT_FALSE(twin.isNull());
        EXPECT_EQ(twin.size(), QSize(2 * h.width, 2 * h.height));
        // Solid in the middle: the rounded card corners are the only see-through part.
        EXPECT_EQ(qAlpha(picture.pixel(h.width / 2, h.height / 2)), 255);

        const QPixmap normal = HolderPicture(h.number, 1.0);
        EXPECT_EQ(normal.size(), QSize(h.width, h.height));
        EXPECT_EQ(normal.devicePixelRatio(), 1.0);
        const QPixmap sharp = HolderPicture(h.number, 2.0);
        EXPECT_EQ(sharp.size(), QSize(2 * h.width, 2 * h.height));
        EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
        EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(h.width, h.height));
    }
}

TEST(PictureResources, BlankAndUnknownHoldersHaveNothingAndNoStrayFilesExist) {
    for (const int n : {5, 15, 25, 35, 0, 41, 53, 68, 94}) {
        SCOPED_TRACE(testing::Message() << "Image" << n);
        EXPECT_FALSE(HasHolderPicture(n));
        EXPECT_TRUE(HolderPicture(n, 1.0).isNull());
        EXPECT_TRUE(HolderPicture(n, 2.0).isNull());
        EXPECT_TRUE(HolderImage(n, 2).isNull());
    }
    QSet<QString> expected;
    for (const Holder& h : AllHolders())
        expected << QStringLiteral("image%1.png").arg(h.number) << QStringLiteral("image%1@2x.png").arg(h.number);
    for (const int side : {64, 128, 256}) expected << QStringLiteral("durak-%1.png").arg(side);
    const QStringList present = QDir(QStringLiteral(":/pictures")).entryList(QDir::Files);
    EXPECT_EQ(QSet<QString>(present.begin(), present.end()), expected);
}

TEST(PictureResources, ApplicationIconComesInThreeSizesOfTheScalableIcon) {
    const QIcon icon = durak::art::ApplicationIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (const int side : {64, 128, 256}) EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    // A card stands on it: neither blank nor one flat colour.
    const QImage big = icon.pixmap(QSize(256, 256)).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_GT(Ink(big), 256 * 256 / 10);
    // The ace's spade in the middle of the right card, the blue back at the left, and
    // transparency in the corner the cards leave free.
    const auto dark = [](QRgb c) { return qAlpha(c) == 255 && qRed(c) + qGreen(c) + qBlue(c) < 150; };
    const auto blue = [](QRgb c) { return qAlpha(c) == 255 && qBlue(c) > qRed(c) + 60; };
    EXPECT_EQ(CountPixels(big.copy(145, 125, 20, 20), dark), 20 * 20);
    EXPECT_GT(CountPixels(big.copy(45, 100, 25, 60), blue), 25 * 60 / 2);
    EXPECT_EQ(qAlpha(big.pixel(2, 2)), 0);

    // Every size is the scalable icon the menu shows at other sizes, not another picture.
    QSvgRenderer scalable(QStringLiteral(DURAK_ICON_SVG));
    ASSERT_TRUE(scalable.isValid());
    for (const int side : {64, 128, 256}) {
        SCOPED_TRACE(side);
        const QImage png = Load(QStringLiteral(":/pictures/durak-%1.png").arg(side));
        QImage drawn(side, side, QImage::Format_ARGB32);
        drawn.fill(Qt::transparent);
        {
            QPainter p(&drawn);
            p.setRenderHint(QPainter::Antialiasing);
            scalable.render(&p, QRectF(0, 0, side, side));
        }
        ASSERT_EQ(png.size(), drawn.size());
        long long difference = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const QRgb a = png.pixel(x, y), b = drawn.pixel(x, y);
                difference += std::abs(qAlpha(a) - qAlpha(b)) + std::abs(qRed(a) - qRed(b)) +
                              std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
            }
        EXPECT_LT(difference, side * side / 4) << "the icon differs from " << DURAK_ICON_SVG;
    }
}

// ---------------------------------------------------------------------------
// The faces show the cards their holder numbers stand for
// ---------------------------------------------------------------------------

TEST(CardFaces, RedSuitsAreRedAndBlackSuitsHaveNoRedPips) {
    for (int suit = 0; suit < 4; ++suit)
        for (const int rank : {6, 7, 8, 9, 10, 14}) {
            const int code = 50 * suit + rank;
            SCOPED_TRACE(testing::Message() << "card " << code);
            const int red = CountPixels(Picture(durak::PictureIndexOf(code)), IsRed);
            if (suit >= 2)
                EXPECT_GT(red, 20);
            else
                EXPECT_EQ(red, 0);
        }
}

TEST(CardFaces, RanksFollowTheNumbering) {
    for (int suit = 0; suit < 4; ++suit) {
        SCOPED_TRACE(testing::Message() << "suit " << suit);
        // A number card carries as many pips as its rank says.
        for (int rank = 6; rank <= 10; ++rank)
            EXPECT_EQ(PipsOnFace(Picture(durak::PictureIndexOf(50 * suit + rank))).size(), rank) << "rank " << rank;
        // The ace's single pip leaves it lighter than any court figure.
        const int ace = Ink(Picture(durak::PictureIndexOf(50 * suit + 14)));
        for (int rank = 11; rank <= 13; ++rank)
            EXPECT_LT(ace, Ink(Picture(durak::PictureIndexOf(50 * suit + rank)))) << "rank " << rank;
    }
}

TEST(CardFaces, NoTwoHoldersShowTheSameFace) {
    std::vector<std::pair<int, QImage>> faces;
    for (int n = 1; n <= 40; ++n)
        if (!durak::IsBlankIndex(n)) faces.emplace_back(n, Picture(n));
    for (std::size_t i = 0; i < faces.size(); ++i)
        for (std::size_t j = i + 1; j < faces.size(); ++j)
            EXPECT_NE(faces[i].second, faces[j].second)
                << "Image" << faces[i].first << " and Image" << faces[j].first;
}

TEST(CardFaces, EachTwinShowsTheSamePictureAsItsHolder) {
    const std::vector<Holder> holders = AllHolders();
    for (const Holder& h : holders) {
        SCOPED_TRACE(testing::Message() << "Image" << h.number);
        const QImage picture = Picture(h.number);
        const double own = Difference(picture, Twin(h.number));
        EXPECT_LT(own, 3.0);
        // Closer to its own twin than to the twin of any other picture of its size.
        for (const Holder& other : holders) {
            if (other.number == h.number || other.width != h.width || other.height != h.height) continue;
            EXPECT_LT(own, Difference(picture, Twin(other.number))) << "twin of Image" << other.number;
        }
    }
}

// ---------------------------------------------------------------------------
// Fans, suit icons and the button
// ---------------------------------------------------------------------------

TEST(OtherPictures, EachFanShowsTheBacksItsHandSizeCallsFor) {
    // Hand size -> backs drawn in the fan the computer's hand shows.
    const std::map<int, int> backsFor = {{1, 1}, {2, 2},  {3, 3},   {4, 4},   {5, 5},   {6, 6},
                                         {7, 6}, {8, 9},  {9, 9},   {10, 9},  {11, 10}, {12, 10},
                                         {13, 10}, {14, 12}, {15, 12}, {16, 12}};
    for (const auto& [count, backs] : backsFor) {
        SCOPED_TRACE(testing::Message() << count << " cards");
        const int holder = durak::FanHolderForCount(count);
        EXPECT_EQ(BacksInFan(Picture(holder)), backs);
        EXPECT_EQ(BacksInFan(Twin(holder)), backs);
    }
}

TEST(OtherPictures, EachSuitIconShowsThePipOfItsSuit) {
    // Holders 90..93 are the icons of suit numbers 1..4. Each must have the
    // shape of the pips on that suit's six (its first, upright pip).
    auto pipShape = [](int suit) {
        const QImage six = Picture(durak::PictureIndexOf(50 * suit + 6));
        return Silhouette(six, PipsOnFace(six).front().adjusted(-1, -1, 1, 1));
    };
    for (int suit = 0; suit < 4; ++suit) {
        SCOPED_TRACE(testing::Message() << "suit " << suit);
        const QImage icon = Picture(90 + suit);
        const QImage iconShape = Silhouette(icon, icon.rect().adjusted(3, 3, -3, -3));
        const double own = Difference(iconShape, pipShape(suit));
        for (int other = 0; other < 4; ++other) {
            if (other == suit) continue;
            EXPECT_LT(own, Difference(iconShape, pipShape(other))) << "suit " << other;
        }
    }
    EXPECT_EQ(CountPixels(Picture(90), IsRed), 0);
    EXPECT_EQ(CountPixels(Picture(91), IsRed), 0);
    EXPECT_GT(CountPixels(Picture(92), IsRed), 200);
    EXPECT_GT(CountPixels(Picture(93), IsRed), 200);
}

TEST(OtherPictures, ButtonIsASolidFramedPanelWithRedBarAndBlueCrosses) {
    const QImage button = Picture(70);
    EXPECT_EQ(CountPixels(button, [](QRgb c) { return qAlpha(c) < 255; }), 0) << "solid all over";
    EXPECT_EQ(button.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(button.pixel(113, 91), qRgb(0, 0, 0));
    EXPECT_GT(CountPixels(button, IsRed), 300);
    EXPECT_GT(CountPixels(button, [](QRgb c) { return qBlue(c) > 150 && qRed(c) < 80; }), 20);
}

}  // namespace

int main(int argc, char** argv) {
    // Pictures need a GUI application but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
