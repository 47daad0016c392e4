#include "pictures.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QWidget>
#include <array>
#include <future>

#include "svgdrawing.h"

// The pictures are compiled into this static library; calling the resource's
// initialiser keeps the linker from dropping them. Outside any namespace, as
// the macro declares the initialiser.
static void initPictureResources() {
    Q_INIT_RESOURCE(quillnote);
}

namespace qn {

namespace {

struct ToolbarPicture {
    const char* themeName;  // freedesktop icon name, or nullptr
    const char* file;
};

// In toolbar order (see the toolbar table of the command map).
const std::array<ToolbarPicture, kToolbarButtonCount> kToolbarPictures = {{
    {"document-new", "page-plus"},
    {"document-open", "folder"},
    {"document-save", "floppy-disk"},
    {"document-print", "printer"},
    {"edit-cut", "scissors"},
    {"edit-copy", "two-pages"},
    {"edit-paste", "clipboard"},
    {nullptr, "note-plus"},         // Insert Note
    {"edit-delete", "note-cross"},  // Delete Note
    {"media-record", "red-dot"},
    {"media-playback-start", "play-triangle"},
    {"media-playback-pause", "pause-bars"},
    {"media-playback-stop", "stop-square"},
    {nullptr, "keyboard-swap"},      // Change Instrument
    {nullptr, "note-arrow-up"},      // Increase Pitch
    {nullptr, "note-arrow-down"},    // Decrease Pitch
    {nullptr, "bar-arrows-out"},     // Increase Duration
    {nullptr, "bar-arrows-in"},      // Decrease Duration
    {nullptr, "staff-extra-lines"},  // Toggle Expanded Scale
    {nullptr, "speaker-plus"},       // Increase volume
    {nullptr, "speaker-minus"},      // Decrease volume
    {"application-exit", "door-arrow"},
}};

const std::array<const char*, kDurationPictureCount> kDurationFiles = {
    "thirty-second-note", "sixteenth-note", "eighth-note", "quarter-note",
    "half-note",          "whole-note",     "empty-frame", "quarter-rest",
};

// The SVG file of carried picture `name` (e.g. "toolbar/folder").
QString svgPath(const QString& name) {
    [[maybe_unused]] static const bool loaded = (initPictureResources(), true);
    return QStringLiteral(":/%1.svg").arg(name);
}

// Carried picture `name` (e.g. "toolbar/folder") at `size`: the build's
// drawing where it made one, else drawn now.
QImage carriedImage(const QString& name, QSize size, Drawing how) {
    QImage image(QStringLiteral(":/drawn/") + drawnAheadName(name, size, how));
    if (!image.isNull()) return image;
    return drawSvg(svgPath(name), size, how);
}

QString toolbarPictureName(const char* file) {
    return QStringLiteral("toolbar/") + QLatin1String(file);
}

// The toolbar's carried pictures, drawn on a worker thread at one size.
struct DrawnAhead {
    QSize size;
    std::shared_future<QHash<QString, QImage>> images;
};

DrawnAhead& drawnAhead() {
    static DrawnAhead ahead;
    return ahead;
}

// A carried picture as an icon, read when it is first drawn. Qt's own SVG
// icon engine also reads every file once when the icon is made, just to check
// it: for the toolbar, before the window's first paint.
class CarriedIconEngine : public QIconEngine {
  public:
    explicit CarriedIconEngine(QString name) : m_name(std::move(name)) {}

    QIconEngine* clone() const override { return new CarriedIconEngine(m_name); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return pixmap(size, mode, state).size();
    }

    // The picture fitted into `size`, keeping its proportions; the style
    // derives the disabled and selected looks, as for any other icon.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const QString key = QStringLiteral("qn-icon %1 %2x%3 %4")
                                .arg(m_name)
                                .arg(size.width())
                                .arg(size.height())
                                .arg(static_cast<int>(mode));
        QPixmap cached;
        if (QPixmapCache::find(key, &cached)) return cached;
        QImage image;
        if (const DrawnAhead& ahead = drawnAhead(); ahead.images.valid() && ahead.size == size)
            image = ahead.images.get().value(m_name);
        if (image.isNull()) image = carriedImage(m_name, size, Drawing::Fitted);
        if (image.isNull()) return {};
        QPixmap result = QPixmap::fromImage(image);
        if (mode != QIcon::Normal) {
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            result = QApplication::style()->generatedIconPixmap(mode, result, &option);
        }
        QPixmapCache::insert(key, result);
        return result;
    }

  private:
    QString m_name;
};

}  // namespace

QImage backgroundImage(int number) {
    const char* name = nullptr;
    switch (number) {
        case kThreeNeckGuitarPicture:
            name = "three-neck-guitar";
            break;
        case kGrandPianoPicture:
            name = "grand-piano";
            break;
        case kPianoPicture:
            name = "piano-keyboard";
            break;
        default:
            return {};  // kNoPicture and numbers without a picture
    }
    return carriedImage(QStringLiteral("backgrounds/") + QLatin1String(name),
                        kBackgroundPictureSize, Drawing::OnWhite);
}

QPixmap backgroundPicture(int number) {
    const QImage image = backgroundImage(number);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QIcon toolbarIcon(int index, bool fromTheme) {
    if (index < 0 || index >= kToolbarButtonCount) return {};
    const ToolbarPicture& picture = kToolbarPictures[static_cast<size_t>(index)];
    QIcon carried(new CarriedIconEngine(toolbarPictureName(picture.file)));
    if (!picture.themeName || !fromTheme) return carried;
    return QIcon::fromTheme(QLatin1String(picture.themeName), carried);
}

void drawToolbarIconsAhead(QSize size) {
    QStringList names;
    for (const ToolbarPicture& picture : kToolbarPictures)
        names.append(toolbarPictureName(picture.file));
    drawnAhead() = {size, std::async(std::launch::async, [names, size] {
                              QHash<QString, QImage> images;
                              for (const QString& name : names)
                                  images.insert(name, carriedImage(name, size, Drawing::Fitted));
                              return images;
                          }).share()};
}

void waitForToolbarIconsAhead() {
    if (drawnAhead().images.valid()) drawnAhead().images.wait();
}

QPixmap durationPicture(int code) {
    if (code < 0 || code >= kDurationPictureCount) return {};
    const QImage image = carriedImage(
        QStringLiteral("palette/") + QLatin1String(kDurationFiles[static_cast<size_t>(code)]),
        kDurationPictureSize, Drawing::Stretched);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QImage applicationImage(int size) {
    return drawSvg(svgPath(QStringLiteral("quillnote")), QSize(size, size), Drawing::Stretched);
}

QIcon applicationIcon() {
    // Window managers show window icons at most this large; each size is sent
    // to the X server with every window that carries the icon.
    QSvgRenderer renderer(svgPath(QStringLiteral("quillnote")));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        QImage image(QSize(size, size), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

void giveProgramIcon(QWidget& window) {
    // A window shows its parent's icon when it has none of its own.
    if (window.windowIcon().isNull()) window.setWindowIcon(applicationIcon());
}

}  // namespace qn
