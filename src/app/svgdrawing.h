#pragma once

// Drawing the program's SVG pictures into images. The build draws the ones
// the window shows at its start with this same code, at the sizes it shows
// them (see drawnAheadName); the program decodes those instead of drawing the
// SVG at every start, and draws any other size itself.

#include <QImage>
#include <QSize>
#include <QString>

namespace qn {

enum class Drawing {
    OnWhite,    // stretched to the size over a white ground: opaque (the backgrounds)
    Stretched,  // stretched to the size on a transparent ground
    Fitted,     // fitted into the size keeping its proportions, transparent (icons)
};

// The SVG file at `path` drawn at `size`; a null image if it does not load.
QImage drawSvg(const QString& path, QSize size, Drawing how);

// Where the build puts picture `name` (e.g. "toolbar/folder") drawn at `size`,
// relative to the drawn pictures' folder: opaque pictures as JPEG, the rest
// as PNG.
QString drawnAheadName(const QString& name, QSize size, Drawing how);

}  // namespace qn
