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

QString resourcePath(const QString& folder, const char* name) {
    [[maybe_unused]] static const bool loaded = (initPictureResources(), true);
    return QStringLiteral(":/%1%2.svg").arg(folder, QLatin1String(name));
}

// Draws the picture onto `image`, stretched to fill it; false if it does not load.
bool render(const QString& path, QImage& image) {
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) return false;
    QPainter painter(&image);
    renderer.render(&painter);
    return true;
}

QImage transparentImage(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The picture at `path` fitted into `size`, keeping its proportions; a null
// image if it does not load.
QImage fittedImage(const QString& path, QSize size) {
    QSvgRenderer renderer(path);
    QSize fitted = renderer.defaultSize();
    if (!renderer.isValid() || fitted.isEmpty()) return {};
    fitted.scale(size, Qt::KeepAspectRatio);
    if (fitted.isEmpty()) return {};
    QImage image = transparentImage(fitted);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
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
    explicit CarriedIconEngine(QString path) : m_path(std::move(path)) {}

    QIconEngine* clone() const override { return new CarriedIconEngine(m_path); }

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
                                .arg(m_path)
                                .arg(size.width())
                                .arg(size.height())
                                .arg(static_cast<int>(mode));
        QPixmap cached;
        if (QPixmapCache::find(key, &cached)) return cached;
        QImage image;
        if (const DrawnAhead& ahead = drawnAhead(); ahead.images.valid() && ahead.size == size)
            image = ahead.images.get().value(m_path);
        if (image.isNull()) image = fittedImage(m_path, size);
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
    QString m_path;
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
    QImage image(kBackgroundPictureSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (!render(resourcePath(QStringLiteral("backgrounds/"), name), image)) return {};
    return image;
}

QPixmap backgroundPicture(int number) {
    const QImage image = backgroundImage(number);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QIcon toolbarIcon(int index, bool fromTheme) {
    if (index < 0 || index >= kToolbarButtonCount) return {};
    const ToolbarPicture& picture = kToolbarPictures[static_cast<size_t>(index)];
    QIcon carried(new CarriedIconEngine(resourcePath(QStringLiteral("toolbar/"), picture.file)));
    if (!picture.themeName || !fromTheme) return carried;
    return QIcon::fromTheme(QLatin1String(picture.themeName), carried);
}

void drawToolbarIconsAhead(QSize size) {
    QStringList paths;
    for (const ToolbarPicture& picture : kToolbarPictures)
        paths.append(resourcePath(QStringLiteral("toolbar/"), picture.file));
    drawnAhead() = {size, std::async(std::launch::async, [paths, size] {
                              QHash<QString, QImage> images;
                              for (const QString& path : paths)
                                  images.insert(path, fittedImage(path, size));
                              return images;
                          }).share()};
}

void waitForToolbarIconsAhead() {
    if (drawnAhead().images.valid()) drawnAhead().images.wait();
}

QPixmap durationPicture(int code) {
    if (code < 0 || code >= kDurationPictureCount) return {};
    QImage image = transparentImage(kDurationPictureSize);
    const char* name = kDurationFiles[static_cast<size_t>(code)];
    if (!render(resourcePath(QStringLiteral("palette/"), name), image)) return {};
    return QPixmap::fromImage(image);
}

QImage applicationImage(int size) {
    if (size <= 0) return {};
    QImage image = transparentImage(QSize(size, size));
    if (!render(resourcePath(QString(), "quillnote"), image)) return {};
    return image;
}

QIcon applicationIcon() {
    // Window managers show window icons at most this large; each size is sent
    // to the X server with every window that carries the icon.
    QSvgRenderer renderer(resourcePath(QString(), "quillnote"));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        QImage image = transparentImage(QSize(size, size));
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
