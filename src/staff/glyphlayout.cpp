#include "glyphlayout.h"

#include "staffgeometry.h"

namespace qn::staff {

std::optional<SlotPlace> GlyphLayout::place(int slot) const {
    const int offset = slot - firstSlot;
    if (offset < 0 || offset >= kStaffSlots) return std::nullopt;
    const int track = offset / kColumns;
    const int column = slot - kColumns * track;
    return SlotPlace{track, column, headLeft(column)};
}

int GlyphLayout::headLeft(int column) const {
    return columnOrigin + kColumnWidth * column;
}

const GlyphLayout& screenGlyphLayout() {
    static const GlyphLayout layout{
        0,
        1000,
        kNoteYBase,
        kVolumeLabelRow,
        {{{1620, 1680, 1880}, {3020, 3120, 3280}, {4440, 4540, 4700}, {5860, 5960, 6120}}}};
    return layout;
}

const GlyphLayout& pageGlyphLayout() {
    static const GlyphLayout layout{
        1,
        500,
        {2080, 3540, 5000, 6440},
        {2160, 3620, 5080, 6520},
        {{{1580, 1680, 1840}, {2980, 3080, 3240}, {4400, 4500, 4660}, {5820, 5920, 6080}}}};
    return layout;
}

}  // namespace qn::staff
