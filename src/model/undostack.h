#pragma once

// Undo and redo of everything that changes the composition.
//
// The history keeps one copy of the composition as it stood after the last
// step. A commit compares the composition with that copy and records only what
// differs: the changed run of each note table and of the lyrics, before and
// after, and the small per-track and composition-wide values. So commands need
// no undo code of their own (whatever they changed is recorded, stale note
// slots included), a step costs what it changed (a few bytes for an entered
// note, about a megabyte when every table and lyric changed), and a commit
// costs one comparison of the model (well under a millisecond for the largest).
// Whole-model snapshots would be simpler still, but at half a megabyte and
// more each they would run out of memory long before anyone runs out of edits.
//
// The document's name and the Modified flag are not part of a step: the name
// belongs to the file, and Modified follows from where the history stands
// against the state that was last opened or saved (isClean).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "composition.h"
#include "editstate.h"

namespace qn {

// What the user was looking at: restored with a step so that the change shows.
struct ViewState {
    int ActiveTrack = 0;
    int ScrollPos = 0;
    bool SelActive = false;
    int SelTrackFrom = 0;
    int SelTrackTo = 0;
    int SelStart = -1;
    int SelEnd = -1;

    static ViewState of(const EditState& e);
    void applyTo(EditState& e) const;
    bool operator==(const ViewState&) const = default;
};

class UndoStack {
  public:
    UndoStack();
    ~UndoStack();
    UndoStack(const UndoStack&) = delete;
    UndoStack& operator=(const UndoStack&) = delete;

    // A new history starting at `c`. `clean`: c is what its file holds.
    void reset(const Composition& c, bool clean = true);

    // Records what `c` changed since the last step as a step named `label`;
    // false when nothing changed. An empty label names the step after what
    // changed ("Lyrics", "Tempo" ...), and such a step that changes the same
    // places as the step before it, under the same name, joins it: a slider
    // dragged through fifty values is one step.
    bool commit(const Composition& c, std::string label, const ViewState& before,
                const ViewState& after);

    bool canUndo() const { return m_applied > 0; }
    bool canRedo() const;
    // Names of the steps Undo and Redo would take; empty when there is none.
    std::string undoLabel() const;
    std::string redoLabel() const;

    // Take `c` one step back or forward; the view to show afterwards, or
    // nothing when there was no step. `c` must hold what the last commit saw.
    std::optional<ViewState> undo(Composition& c);
    std::optional<ViewState> redo(Composition& c);

    // The composition now stands as its file holds it.
    void markClean() { m_clean = m_applied; }
    bool isClean() const { return m_clean == m_applied; }

    // Memory the steps hold; the oldest steps go when it passes the budget.
    size_t bytes() const { return m_bytes; }
    static constexpr size_t kBudgetBytes = size_t{256} << 20;

  private:
    struct Step;
    std::optional<Step> difference(const Composition& c) const;
    void apply(const Step& step, bool forward, Composition& c);
    void dropOldestBeyondBudget();

    std::unique_ptr<Composition> m_shadow;  // the composition after the last applied step
    std::vector<Step> m_steps;
    size_t m_applied = 0;               // steps applied; the rest can be redone
    std::optional<size_t> m_clean = 0;  // m_applied where the file's state is; none: gone
    size_t m_bytes = 0;
};

}  // namespace qn
