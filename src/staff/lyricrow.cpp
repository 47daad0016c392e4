#include "lyricrow.h"

#include <QWidget>
#include <cmath>

#include "lyricbox.h"

namespace qn::staff {

namespace {

// Twips from the row's left edge (or a size in twips) as whole pixels.
int pixels(int twips) {
    return static_cast<int>(std::lround(twips / static_cast<double>(kTwipsPerPixel)));
}

}  // namespace

LyricRow::LyricRow() {
    auto* row = new QWidget;  // no background of its own: the window's picture shows between
    const int left = lyricLeft(0);
    row->setFixedSize(pixels(lyricLeft(kColumns - 1) + kLyricWidth - left), pixels(kLyricHeight));
    for (int c = 0; c < kColumns; ++c) {
        auto* box = new LyricBox(row);
        box->setObjectName(QStringLiteral("Lyric%1").arg(c));
        // Fixed, so that a style's larger minimum size does not stretch the box.
        box->setFixedSize(pixels(kLyricWidth), pixels(kLyricHeight));
        box->move(pixels(lyricLeft(c) - left), 0);
        m_boxes[c] = box;
    }
    setWidget(row);
}

}  // namespace qn::staff
