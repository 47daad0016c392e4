// Long random sequences of editing and modify commands on realistic selections:
// whatever the order, the model's invariants hold after every command.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "model/editcommands.h"
#include "model/modifycommands.h"
#include "model/msfwriter.h"
#include "model/undostack.h"
#include "modeltestsupport.h"

namespace qn {
namespace {

enum Command { kCopy, kSelectAll, kSelectTrack, kRepeat, kClearTrack, kClearAll, kOthers };

class RandomEditing {
  public:
    explicit RandomEditing(unsigned seed)
        : m_rng(seed), m_c(test::randomComposition(m_rng)), m_settings(m_c) {}

    void run(int steps) {
        int limitRefusals = 0;
        for (int step = 0; step < steps && !testing::Test::HasFailure(); ++step) {
            SCOPED_TRACE(std::string("step ").append(std::to_string(step)));
            randomiseState();
            randomiseAnswers();
            if (pick(0, 499) == 0) fillNearLimit(pick(0, 3));
            // Clearing is rare so that the tracks grow long enough to reach the slot limit.
            int command = pick(0, kOthers + 14);
            if ((command == kClearAll || command == kClearTrack) && pick(0, 19) != 0)
                command = kCopy;
            const auto countsBefore = m_c.NoteCount;
            m_c.Modified = false;
            const CommandResult r = runCommand(command);
            if (r.refused && command < kOthers + 13) ++limitRefusals;
            // A refused command changes nothing; Repeat keeps the pastes before its refusal.
            const bool refusedWhole = r.refused && command != kRepeat;
            if (refusedWhole || command <= kSelectTrack) {
                EXPECT_FALSE(m_c.Modified) << "command " << command;
            }
            if (refusedWhole || command >= kOthers + 7) {
                EXPECT_EQ(m_c.NoteCount, countsBefore) << "command " << command;
            }
            // The notes around the scroll position every time, all of them now and then.
            const bool all = step % 64 == 0;
            test::expectModelInvariants(m_c, all ? 0 : m_e.ScrollPos - 25,
                                        all ? kNoteSlots : m_e.ScrollPos + 45);
            expectSettingsKept();
            checkUndo(step);
        }
        test::expectModelInvariants(m_c);
        EXPECT_GT(limitRefusals, 0) << "the run never reached the slot limit";
    }

  private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }

    void randomiseState() {
        m_c.ComputeSongLength();
        m_e.ScrollPos = pick(0, 3) == 0 ? pick(0, 10000) : pick(0, m_c.SongLength);
        m_e.ActiveTrack = pick(0, 3);
        m_e.DefaultVelocity = pick(1, 127);
        m_e.DefaultLength = pick(0, 7);
        if (pick(0, 9) < 6) {
            m_e.SelActive = true;
            m_e.SelTrackFrom = pick(0, 3);
            m_e.SelTrackTo = pick(0, 4) == 0 ? pick(0, 3) : pick(m_e.SelTrackFrom, 3);
            m_e.SelStart = pick(0, 19);
            m_e.SelEnd = pick(0, 4) == 0 ? pick(0, 19) : pick(m_e.SelStart, 19);
        } else if (pick(0, 1) == 0) {
            m_e.clearSelection();
        } else {
            m_e.SelActive = false;  // the tracks of the last selection are still remembered
        }
    }

    // Yes or No, and texts that read as track numbers, counts or nothing at all.
    void randomiseAnswers() {
        static const char* const answers[] = {"",   "0",   "1",   "2",   "3",  "4",  "5",
                                              "-1", "abc", "2.5", "3.7", "40", "200"};
        m_answers = test::ScriptedQuestions();
        m_answers.yesNo = {pick(0, 1) == 1};
        for (int k = 0; k < 2; ++k)
            m_answers.texts.push_back(answers[pick(0, int(std::size(answers)) - 1)]);
    }

    void fillNearLimit(int t) {
        m_c.NoteCount[t] = 0;
        for (int i = 0, count = kNoteSlots - pick(0, 25); i < count; ++i)
            test::appendNote(m_c, t,
                             {static_cast<int16_t>(i % 7 == 0 ? kRestPitch : i % 25),
                              static_cast<uint8_t>(i % 128), static_cast<uint8_t>(i % 8)});
    }

    CommandResult runCommand(int command) {
        using modify::Step;
        using Run = CommandResult (*)(Composition&, EditState&, Questions&);
        static const Run kCommands[] = {
            [](auto& c, auto& e, auto&) { return edit::copy(c, e); },
            [](auto&, auto& e, auto&) { return edit::selectAll(e); },
            [](auto& c, auto& e, auto&) { return edit::selectTrack(c, e); },
            [](auto& c, auto& e, auto& q) { return edit::repeat(c, e, q); },
            [](auto& c, auto& e, auto& q) { return edit::clearTrack(c, e, q); },
            [](auto& c, auto& e, auto& q) { return edit::clearAll(c, e, q); },
            [](auto& c, auto& e, auto&) { return edit::cut(c, e); },
            [](auto& c, auto& e, auto&) { return edit::paste(c, e); },
            [](auto& c, auto& e, auto&) { return edit::deleteNotes(c, e); },
            [](auto& c, auto& e, auto&) { return edit::insert(c, e); },
            [](auto& c, auto& e, auto&) { return edit::cutStart(c, e); },
            [](auto& c, auto& e, auto&) { return edit::cutEnd(c, e); },
            [](auto& c, auto& e, auto& q) { return edit::copyTrackToTrack(c, e, q); },
            [](auto& c, auto& e, auto&) { return modify::step(c, e, Step::HigherPitch); },
            [](auto& c, auto& e, auto&) { return modify::step(c, e, Step::LowerPitch); },
            [](auto& c, auto& e, auto&) { return modify::step(c, e, Step::LongerDuration); },
            [](auto& c, auto& e, auto&) { return modify::step(c, e, Step::ShorterDuration); },
            [](auto& c, auto& e, auto&) { return modify::step(c, e, Step::IncreaseVolume); },
            [](auto& c, auto& e, auto&) { return modify::step(c, e, Step::DecreaseVolume); },
            [](auto& c, auto& e, auto&) { return modify::fadeIn(c, e); },
            [](auto& c, auto& e, auto&) { return modify::fadeOut(c, e); },
        };
        static_assert(std::size(kCommands) == kOthers + 15);
        return kCommands[command](m_c, m_e, m_answers);
    }

    void expectSettingsKept() {
        const auto settings = [](const Composition& c) {
            return std::tie(c.TrackInstrument, c.TrackOctave, c.Division, c.CompositionAuthor,
                            c.CompName, c.Effects, c.BassClef);
        };
        EXPECT_EQ(settings(m_c), settings(m_settings));
        EXPECT_GE(m_e.ScrollPos, 0);
    }

    // In every eighth run of 250 commands, each command is an undo step, and
    // undoing them all returns the bytes and stale slots before the run,
    // redoing them all those after it.
    void checkUndo(int step) {
        const auto state = [this] {
            return std::tuple(writeMsf(m_c, "u"), m_c.NotePitch, m_c.NoteVelocity, m_c.NoteLength,
                              m_c.Lyrics);
        };
        if (step / 250 % 8 != 0) return;
        if (step % 250 == 0) {
            m_history.reset(m_c);
            m_first = state();
            return;
        }
        m_history.commit(m_c, "", ViewState::of(m_e), ViewState::of(m_e));
        if (step % 250 != 249) return;
        const auto last = state();
        while (m_history.undo(m_c)) {
        }
        ASSERT_TRUE(state() == m_first) << "undone";
        while (m_history.redo(m_c)) {
        }
        ASSERT_TRUE(state() == last) << "redone";
    }

    std::mt19937 m_rng;
    test::ScriptedQuestions m_answers;
    Composition m_c;
    const Composition m_settings;  // the composition-wide values no edit may touch
    EditState m_e;
    UndoStack m_history;
    std::tuple<std::string, Composition::NoteTable<int16_t>, Composition::NoteTable<uint8_t>,
               Composition::NoteTable<uint8_t>, std::vector<std::string>>
        m_first;
};

class RandomizedEditing : public testing::TestWithParam<unsigned> {};

TEST_P(RandomizedEditing, KeepsTheModelInvariants) {
    RandomEditing(GetParam()).run(20000);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomizedEditing, testing::Values(1u, 77u, 20240611u));

}  // namespace
}  // namespace qn
