#include "model/undostack.h"

#include <gtest/gtest.h>

namespace qn {
namespace {

// Whether the composition stands as its file holds it follows every step,
// including steps that make the saved state unreachable.
TEST(UndoStack, KnowsWhenTheCompositionIsAsSaved) {
    Composition c;
    UndoStack h;
    h.reset(c);
    const ViewState view;
    const auto edit = [&](int division, std::string name = "Edit") {
        c.Division = division;
        return h.commit(c, std::move(name), view, view);
    };
    EXPECT_FALSE(edit(64));  // no change, no step
    EXPECT_TRUE(edit(70) && edit(71));
    h.markClean();  // saved at 71
    EXPECT_TRUE(h.undo(c).has_value());
    EXPECT_FALSE(h.isClean());
    EXPECT_EQ(h.redoLabel(), "Edit");
    EXPECT_TRUE(edit(90));  // the saved state can no longer be reached
    EXPECT_FALSE(h.canRedo() || h.isClean());
    while (h.undo(c)) {
    }
    EXPECT_EQ(c.Division, 64);
    EXPECT_FALSE(h.isClean());

    // Unnamed steps that change the same places join; back where they began, they vanish.
    h.reset(c);
    EXPECT_TRUE(edit(80, "") && edit(81, ""));
    EXPECT_EQ(h.undoLabel(), "Tempo");
    EXPECT_TRUE(edit(64, ""));
    EXPECT_TRUE(!h.canUndo() && h.isClean());
}

}  // namespace
}  // namespace qn
