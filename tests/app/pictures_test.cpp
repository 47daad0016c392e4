#include "app/pictures.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <string>

#include "staff/staffpictures.h"

namespace {

bool hasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128 && image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

QImage clefImage(const qn::staff::Picture& picture) {
    qn::staff::PictureItem item(picture);
    QImage image((picture.size / 10).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(0.1, 0.1);
    item.paint(&painter, nullptr, nullptr);
    return image;
}

// Every picture the program uses comes out of the compiled-in files at its
// size and with something drawn; a missing file, a misspelt name or a missing
// SVG plugin shows here.
TEST(Pictures, EveryPictureLoadsFromTheResources) {
    QIcon::setThemeSearchPaths({});  // the carried toolbar icons, whatever the desktop
    const auto check = [](const std::string& name, const QImage& image, QSize size) {
        EXPECT_EQ(image.size(), size) << name;
        EXPECT_TRUE(hasInk(image)) << name;
    };
    for (const int number :
         {qn::kThreeNeckGuitarPicture, qn::kGrandPianoPicture, qn::kPianoPicture}) {
        check("background " + std::to_string(number), qn::backgroundPicture(number).toImage(),
              qn::kBackgroundPictureSize);
    }
    for (int k = 0; k < qn::kToolbarButtonCount; ++k) {
        check("toolbar " + std::to_string(k),
              qn::toolbarIcon(k).pixmap(qn::kToolbarIconSize).toImage(), qn::kToolbarIconSize);
    }
    for (int code = 0; code < qn::kDurationPictureCount; ++code) {
        check("duration " + std::to_string(code), qn::durationPicture(code).toImage(),
              qn::kDurationPictureSize);
    }
    check("application", qn::applicationImage(48), QSize(48, 48));
    check("treble clef", clefImage(qn::staff::trebleClefPicture()), QSize(45, 75));
    check("bass clef", clefImage(qn::staff::bassClefPicture()), QSize(38, 42));
    for (const Qt::ArrowType arrow : {Qt::LeftArrow, Qt::RightArrow})
        check("arrow", qn::staff::arrowIcon(arrow, 20).pixmap(20, 20).toImage(), QSize(20, 20));
    EXPECT_TRUE(qn::backgroundPicture(qn::kNoPicture).isNull());
}

}  // namespace
