#pragma once

// What a command changed, so that the window redraws only that.

#include <vector>

namespace qn {

struct NoteRef {
    int track = 0;
    int index = 0;  // note index, not column
    bool operator==(const NoteRef&) const = default;
};

struct CommandResult {
    bool staff = false;                   // notes moved or many changed: redraw every column
    bool selection = false;               // the selection changed: recolour the glyphs
    std::vector<NoteRef> glyphs;          // redraw these notes' glyphs only
    std::vector<NoteRef> velocityLabels;  // rewrite these notes' velocity labels only
    bool refused = false;                 // nothing done: the result would pass the last note slot

    bool changedNothing() const {
        return !staff && !selection && glyphs.empty() && velocityLabels.empty();
    }
};

}  // namespace qn
