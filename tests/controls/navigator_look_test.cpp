// What the navigator paints: the ten pictures in black while enabled and
// engraved grey and white while disabled, centred on raised faces; a held
// button sinks and its picture moves one pixel right and down.

#include <set>

#include "controls/NavigatorPictures.h"
#include "tests/controls/navigator_fixture.h"

namespace {

const QColor kBlack(0, 0, 0);
const QColor kGrey(128, 128, 128);
const QColor kWhite(255, 255, 255);

// The pixels of `image` that are not transparent.
std::set<std::pair<int, int>> opaquePixels(const QImage& image) {
    std::set<std::pair<int, int>> pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).alpha() != 0) {
                pixels.insert({x, y});
            }
        }
    }
    return pixels;
}

std::set<std::pair<int, int>> pixelsOf(const QImage& image, const QColor& color) {
    std::set<std::pair<int, int>> pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == color) {
                pixels.insert({x, y});
            }
        }
    }
    return pixels;
}

}  // namespace

TEST(NavigatorLook, PicturesAreBlackWhenEnabledAndEngravedWhenDisabled) {
    std::set<std::set<std::pair<int, int>>> shapes;
    for (TNavigateBtn kind : allNavigateBtns) {
        SCOPED_TRACE(navigateBtnName(kind));
        const QImage enabled = navigatorPicture(kind, true);
        const QImage disabled = navigatorPicture(kind, false);
        const QSize size = kind == nbPrior || kind == nbNext ? QSize(10, 13) : QSize(14, 13);
        EXPECT_EQ(enabled.size(), size);
        EXPECT_EQ(disabled.size(), size);

        // Enabled: opaque black only, on a transparent ground.
        const auto shape = opaquePixels(enabled);
        EXPECT_GE(shape.size(), 12u);
        EXPECT_LT(shape.size(), static_cast<size_t>(size.width() * size.height() / 2));
        EXPECT_EQ(pixelsOf(enabled, kBlack), shape);

        // Disabled: the same shape in grey, with white only where the shape
        // shifted one pixel right and down falls outside it.
        EXPECT_EQ(pixelsOf(disabled, kGrey), shape);
        const auto white = pixelsOf(disabled, kWhite);
        EXPECT_FALSE(white.empty());
        for (auto [x, y] : white) {
            EXPECT_TRUE(shape.count({x - 1, y - 1})) << x << "," << y;
            EXPECT_FALSE(shape.count({x, y})) << x << "," << y;
        }
        auto opaque = shape;
        opaque.insert(white.begin(), white.end());
        EXPECT_EQ(opaquePixels(disabled), opaque);

        shapes.insert(shape);
    }
    // Ten different pictures.
    EXPECT_EQ(shapes.size(), 10u);
}

TEST(NavigatorLook, ButtonsShowTheirPictureCentredAndSinkWhenHeld) {
    NavigatorWindow w;
    for (TNavigateBtn kind : allNavigateBtns) {
        SCOPED_TRACE(navigateBtnName(kind));
        NavigatorButton* button = w.navigator->button(kind);
        const QImage face = button->grab().toImage();
        const bool enabled = w.navigator->isButtonEnabled(kind);
        const QImage picture = navigatorPicture(kind, enabled);
        // 24 x 25 buttons: the picture's top left at ((24 - w) / 2, 6).
        const QPoint at((24 - picture.width()) / 2, 6);
        for (auto [x, y] : opaquePixels(picture)) {
            EXPECT_EQ(face.pixelColor(at + QPoint(x, y)), picture.pixelColor(x, y));
        }
        // Raised: light top-left edge, dark bottom-right edge.
        EXPECT_GT(face.pixelColor(1, 1).lightness(), face.pixelColor(22, 23).lightness());
    }

    NavigatorButton* insert = w.navigator->button(nbInsert);
    const QImage up = insert->grab().toImage();
    w.press(nbInsert);
    ASSERT_TRUE(insert->isDown());
    const QImage down = insert->grab().toImage();
    w.releaseAt(w.offTheBar());
    const QImage picture = navigatorPicture(nbInsert, true);
    for (auto [x, y] : opaquePixels(picture)) {
        EXPECT_EQ(down.pixelColor(5 + x + 1, 6 + y + 1), kBlack);
    }
    // Sunken: the edges turn round.
    EXPECT_LT(down.pixelColor(1, 1).lightness(), down.pixelColor(22, 23).lightness());
    EXPECT_EQ(insert->grab().toImage(), up);
}

TEST(NavigatorLook, ShowsNoTooltips) {
    NavigatorWindow w;
    EXPECT_TRUE(w.navigator->toolTip().isEmpty());
    for (TNavigateBtn kind : allNavigateBtns) {
        EXPECT_TRUE(w.navigator->button(kind)->toolTip().isEmpty());
    }
}
