#include "app/pictures.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <cstdlib>
#include <string>

#include "app/svgdrawing.h"
#include "staff/staffpictures.h"

namespace {

bool hasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128 && image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

// The mean difference of two same-sized images, per channel (0..255).
double meanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row);
            const QRgb q = y.pixel(column, row);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum / (4.0 * x.width() * x.height());
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

// The build draws the pictures of the window's start with the program's own
// code: each is there at the size the window asks for, drawn the same way.
TEST(Pictures, TheStartsPicturesComeDrawnAheadAsTheProgramWouldDrawThem) {
    qn::applicationImage(16);  // makes the SVG files available
    const struct {
        const char* folder;
        QSize size;
        qn::Drawing how;
        double tolerance;  // JPEG is lossy
    } kinds[] = {
        {"backgrounds", qn::kBackgroundPictureSize, qn::Drawing::OnWhite, 2},
        {"toolbar", qn::kToolbarIconSize, qn::Drawing::Fitted, 0},
        {"palette", qn::kDurationPictureSize, qn::Drawing::Stretched, 0},
    };
    for (const auto& kind : kinds) {
        const QDir folder(QStringLiteral(":/") + QLatin1String(kind.folder));
        ASSERT_FALSE(folder.isEmpty()) << kind.folder;
        for (const QString& file : folder.entryList({QStringLiteral("*.svg")})) {
            const QString name = QLatin1String(kind.folder) + QLatin1Char('/') + file.chopped(4);
            const QImage ahead(QStringLiteral(":/drawn/") +
                               qn::drawnAheadName(name, kind.size, kind.how));
            const QImage drawn = qn::drawSvg(folder.filePath(file), kind.size, kind.how);
            ASSERT_FALSE(ahead.isNull()) << name.toStdString();
            ASSERT_EQ(ahead.size(), drawn.size()) << name.toStdString();
            EXPECT_LE(meanDifference(ahead, drawn), kind.tolerance) << name.toStdString();
        }
    }
}

}  // namespace
