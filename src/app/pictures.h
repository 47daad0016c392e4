#pragma once

// Pictures the program carries, as SVG files compiled in from resources/: the
// background pictures of the main window, the toolbar icons, the note-duration
// palette and the application icon. Those the window shows at its start come
// already drawn by the build at the sizes it shows them (svgdrawing.h). Call from the
// user-interface thread once a QGuiApplication exists (pixmaps and icons need it).

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>

class QWidget;

namespace qn {

// Numbers of the carried background pictures, as the settings store them.
inline constexpr int kNoPicture = 101;
inline constexpr int kThreeNeckGuitarPicture = 104;
inline constexpr int kGrandPianoPicture = 105;
inline constexpr int kPianoPicture = 106;

inline constexpr QSize kBackgroundPictureSize{970, 688};  // the main window's client area
inline constexpr int kToolbarButtonCount = 22;
inline constexpr QSize kToolbarIconSize{24, 24};
inline constexpr int kDurationPictureCount = 8;
inline constexpr QSize kDurationPictureSize{40, 30};

// The carried picture `number` (104, 105, 106): light, low-contrast artwork
// meant to lie behind the staves. "None" (101) and numbers without a picture
// give a null pixmap.
QPixmap backgroundPicture(int number);
// The same as an image; callable from any thread.
QImage backgroundImage(int number);

// The icon of toolbar button `index` (0..21, in toolbar order): the desktop
// theme's icon where the command has a standard name, else the carried one;
// with `fromTheme` false always the carried one (no theme files are read).
// A null icon for other indices.
QIcon toolbarIcon(int index, bool fromTheme = true);

// Starts drawing the toolbar's carried pictures at `size` (in device pixels)
// on a worker thread, so that the window's first paint finds them drawn.
void drawToolbarIconsAhead(QSize size);
// Returns once that drawing has ended.
void waitForToolbarIconsAhead();

// Picture `code` of the duration palette on a transparent ground: 0..5 the
// thirty-second to whole note, 6 an empty dotted frame (a duration without a
// glyph), 7 the rest. Null for other codes.
QPixmap durationPicture(int code);

// The program's icon at the window icon sizes (16 to 64 pixels), and one size
// of it as an image (usable without a QGuiApplication, e.g. for icon files).
QIcon applicationIcon();
QImage applicationImage(int size);

// Gives a real top-level window the program's icon. Only these windows get
// it: the application-wide icon would also go to every widget placed in the
// staff scene, each of which Qt backs with a hidden native window.
void giveProgramIcon(QWidget& window);

}  // namespace qn
