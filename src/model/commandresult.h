#pragma once

// What a command changed, so that the window redraws only that.

#include <optional>
#include <vector>

namespace qn {

struct NoteRef {
    int track = 0;
    int index = 0;  // note index, not column
    bool operator==(const NoteRef&) const = default;
};

// Why a command changed nothing; the window tells the user.
enum class Refusal {
    NoRoom,               // the result would pass a track's last note slot
    FadeNeedsTwoColumns,  // a fade over one column has no ramp
};

struct CommandResult {
    bool staff = false;                   // notes moved or many changed: redraw every column
    bool selection = false;               // the selection changed: recolour the glyphs
    std::vector<NoteRef> glyphs;          // redraw these notes' glyphs only
    std::vector<NoteRef> velocityLabels;  // rewrite these notes' velocity labels only
    std::optional<Refusal> refused = std::nullopt;  // set when nothing was done

    bool changedNothing() const {
        return !staff && !selection && glyphs.empty() && velocityLabels.empty();
    }
};

}  // namespace qn
