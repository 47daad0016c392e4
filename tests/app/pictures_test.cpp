#include "app/pictures.h"

#include <gtest/gtest.h>

#include <QColor>
#include <functional>

namespace {

// Images compare by pixels; a painter that drew nothing gives an empty picture.
bool hasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 128) return true;
        }
    }
    return false;
}

TEST(Pictures, BackgroundsExistOnlyForTheCarriedNumbers) {
    const struct {
        int number;
        bool exists;
    } cases[] = {{101, false}, {104, true},  {105, true},  {106, true},
                 {0, false},   {102, false}, {200, false}, {255, false}};
    std::vector<QImage> seen;
    for (const auto& c : cases) {
        const QPixmap picture = qn::backgroundPicture(c.number);
        ASSERT_EQ(!picture.isNull(), c.exists) << c.number;
        if (!c.exists) continue;
        EXPECT_EQ(picture.size(), qn::kBackgroundPictureSize) << c.number;
        const QImage image = picture.toImage();
        for (const QImage& other : seen)
            EXPECT_NE(image, other) << c.number;
        seen.push_back(image);
    }
}

// Black staves and notes must stay readable on every part of the picture.
TEST(Pictures, BackgroundsAreLightEverywhere) {
    for (const int number :
         {qn::kThreeNeckGuitarPicture, qn::kGrandPianoPicture, qn::kPianoPicture}) {
        const QImage image = qn::backgroundPicture(number).toImage();
        int darkest = 255;
        for (int y = 0; y < image.height(); y += 3) {
            for (int x = 0; x < image.width(); x += 3) {
                darkest = std::min(darkest, QColor(image.pixel(x, y)).lightness());
            }
        }
        EXPECT_GE(darkest, 195) << number;
        EXPECT_LT(darkest, 245) << number << ": no artwork at all";
    }
}

// Each picture of a set has its size and some ink, no two look alike, and
// numbers outside the set have none.
void expectDistinctSet(const std::function<QPixmap(int)>& picture, int count, QSize size) {
    std::vector<QImage> seen;
    for (int k = 0; k < count; ++k) {
        const QPixmap pixmap = picture(k);
        ASSERT_FALSE(pixmap.isNull()) << k;
        EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), size) << k;
        const QImage image = pixmap.toImage();
        EXPECT_TRUE(hasInk(image)) << k;
        for (size_t other = 0; other < seen.size(); ++other)
            EXPECT_NE(image, seen[other]) << k << " looks like " << other;
        seen.push_back(image);
    }
    EXPECT_TRUE(picture(-1).isNull());
    EXPECT_TRUE(picture(count).isNull());
}

TEST(Pictures, ToolbarIconsAndDurationPicturesAreDistinctAndSized) {
    expectDistinctSet([](int k) { return qn::toolbarIcon(k).pixmap(qn::kToolbarIconSize); },
                      qn::kToolbarButtonCount, qn::kToolbarIconSize);
    expectDistinctSet(qn::durationPicture, qn::kDurationPictureCount, qn::kDurationPictureSize);
    for (int code = 0; code < qn::kDurationPictureCount; ++code)
        EXPECT_EQ(qAlpha(qn::durationPicture(code).toImage().pixel(0, 0)), 0) << code;
}

TEST(Pictures, ApplicationIconHasTheDesktopSizes) {
    const QIcon icon = qn::applicationIcon();
    for (const int size : {16, 32, 48, 256}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
        const QImage image = qn::applicationImage(size);
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_TRUE(hasInk(image)) << size;
    }
}

}  // namespace
