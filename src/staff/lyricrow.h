#pragma once

// The row of lyric boxes under the staff, embedded in the scene as one widget
// that holds all of them: the toolkit backs each embedded widget with a
// native window of its own, and one for the row starts the window faster
// than one for each box.

#include <QGraphicsProxyWidget>
#include <array>

#include "staffgeometry.h"

namespace qn::staff {

class LyricBox;

class LyricRow : public QGraphicsProxyWidget {
    Q_OBJECT
  public:
    // Place it at (lyricLeft(0), kLyricY) with the scale of one pixel in twips.
    LyricRow();

    LyricBox* box(int column) const { return m_boxes.at(column); }

  private:
    std::array<LyricBox*, kColumns> m_boxes{};
};

}  // namespace qn::staff
