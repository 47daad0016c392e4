#pragma once

// The items of the staff area, created at their twip positions in a scene.
// Names follow the window's item names; arrays are indexed as the window
// indexes them (track, glyph slot, lyric column, line number).

#include <array>
#include <vector>

#include "staffgeometry.h"

class QGraphicsItem;
class QGraphicsLineItem;
class QGraphicsProxyWidget;
class QGraphicsRectItem;
class QGraphicsScene;
class QPushButton;
class QSlider;

namespace qn::staff {

class GlyphItem;
class LabelItem;
class LyricBox;
class PictureItem;
class ThumbItem;

struct StaffItems {
    std::array<QGraphicsLineItem*, kStaffLineItems>
        staffLines{};  // 0..19 staff lines, 20..27 guides
    std::array<QGraphicsLineItem*, 2 * kStaffCount>
        edgeLines{};                      // track t: [2t] left, [2t + 1] right
    std::array<PictureItem*, 5> clefs{};  // treble clefs of tracks 0..3, bass clef
    std::array<LabelItem*, kStaffCount> Bar{};
    std::array<LabelItem*, kStaffCount> OctLabel{};
    std::array<LabelItem*, kStaffCount> InstLabel{};
    std::array<LabelItem*, kStaffCount> volCaption{};
    std::array<GlyphItem*, kGlyphSlots> glyph{};
    // Clickable boxes over the velocity labels that the glyph items paint.
    std::array<LabelItem*, kGlyphSlots> VolLabel{};
    std::array<LyricBox*, kColumns> Lyric{};
    LabelItem* NoteNumber = nullptr;
    QPushButton* ScrollBack = nullptr;
    QPushButton* ScrollUp = nullptr;
    QGraphicsRectItem* LocBox = nullptr;
    ThumbItem* SliderBar = nullptr;
    // BufferStart (left side), BufferTop, BufferEnd (right side), BufferBottom.
    std::array<QGraphicsLineItem*, 4> buffer{};
    QSlider* divisionSlider = nullptr;
    QSlider* NoteVolume = nullptr;

    std::vector<QGraphicsItem*> all;  // every top-level item created, for removal
};

StaffItems createStaffItems(QGraphicsScene& scene);

}  // namespace qn::staff
