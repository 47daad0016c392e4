#include "model/editcommands.h"

#include <gtest/gtest.h>

#include <tuple>

#include "model/insertion.h"
#include "modeltestsupport.h"

namespace qn {
namespace {

using test::indexNote;
using test::notesOf;
using Counts = std::array<int16_t, kTrackCount>;

std::vector<Note> indexNotes(const std::vector<int>& indices) {
    std::vector<Note> notes;
    for (int i : indices)
        notes.push_back(indexNote(i));
    return notes;
}

class EditCommands : public testing::Test {
  protected:
    void SetUp() override { reset(); }
    // Tracks of `counts` notes and lyrics L0, L1, ...
    void reset(Counts counts = {}) {
        c = Composition();
        e = EditState();
        for (int t = 0; t < kTrackCount; ++t)
            test::fillTrack(c, t, counts[t]);
        for (int i = 0; i < 30; ++i)
            c.Lyrics[i] = std::string("L").append(std::to_string(i));
    }
    void select(int trackFrom, int trackTo, int start, int end) {
        e.SelActive = true;
        e.SelTrackFrom = trackFrom;
        e.SelTrackTo = trackTo;
        e.SelStart = start;
        e.SelEnd = end;
    }

    Composition c;
    EditState e;
    test::ScriptedQuestions q;
};

constexpr int kNone = -1;   // no selection
constexpr int kBlank = -1;  // a blank note made by Insert

// Name, command, note counts, scroll position, selection (first and last track, first and
// last column), the fillTrack indices left in track 0, the counts after and lyric 3 after.
using Block = std::array<int, 4>;
using Indices = std::vector<int>;
using Command = CommandResult (*)(Composition&, EditState&);
using BlockCase =
    std::tuple<const char*, Command, Counts, int, Block, Indices, Counts, const char*>;
const BlockCase kBlockCases[] = {
    // clang-format off
    {"DeleteOnEmptyTrack", edit::deleteNotes, {}, 0, {kNone}, {}, {}, "L3"},
    {"DeleteLastNote", edit::deleteNotes, {3, 4}, 0, {kNone}, {0, 1}, {2, 4}, "L3"},
    {"DeleteOneTrack", edit::deleteNotes, {10, 10, 10, 10}, 0, {0, 0, 2, 4},
     {0, 1, 5, 6, 7, 8, 9}, {7, 10, 10, 10}, "L6"},
    {"DeleteMovesLyricsOnce", edit::deleteNotes, {10, 10, 10, 10}, 0, {0, 3, 2, 4},
     {0, 1, 5, 6, 7, 8, 9}, {7, 7, 7, 7}, "L6"},
    {"DeletePastTheEnd", edit::deleteNotes, {10, 3}, 8, {0, 1, 0, 5},
     {0, 1, 2, 3, 4, 5, 6, 7}, {8, 3}, "L3"},
    {"CutStart", edit::cutStart, {10, 10, 2}, 1, {0, 2, 2, 5},
     {3, 4, 5, 6, 7, 8, 9}, {7, 7, 0}, "L3"},
    {"CutStartPastTheEnd", edit::cutStart, {10, 3}, 8, {0, 1, 5, 5}, {}, {}, "L3"},
    {"CutStartWithoutSelection", edit::cutStart, {3}, 0, {kNone}, {0, 1, 2}, {3}, "L3"},
    {"CutEnd", edit::cutEnd, {10, 2}, 1, {0, 1, 0, 2}, {0, 1, 2}, {3, 2}, "L3"},
    {"CutEndWithoutSelection", edit::cutEnd, {3}, 0, {kNone}, {0, 1, 2}, {3}, "L3"},
    {"InsertAtTrackStart", edit::insert, {3, 3}, 4, {kNone}, {kBlank, 0, 1, 2}, {4, 3}, "L3"},
    {"InsertBeforeSelection", edit::insert, {5, 5, 5}, 1, {0, 1, 2, 5},
     {0, 1, 2, kBlank, 3, 4}, {6, 6, 5}, "L3"},
    {"InsertInAllTracksMovesLyrics", edit::insert, {5, 5, 5, 5}, 0, {0, 3, 2, 5},
     {0, 1, kBlank, 2, 3, 4}, {6, 6, 6, 6}, "L2"},
    // clang-format on
};

TEST_F(EditCommands, BlockCommandsRemoveOrInsertNotesAndSetModified) {
    for (const auto& [name, command, counts, scrollPos, selection, track0, after, lyric3] :
         kBlockCases) {
        SCOPED_TRACE(name);
        reset(counts);
        e.ScrollPos = scrollPos;
        e.DefaultVelocity = 90;
        e.DefaultLength = 1;
        if (selection[0] != kNone) select(selection[0], selection[1], selection[2], selection[3]);
        command(c, e);
        std::vector<Note> expected;
        for (int i : track0)
            expected.push_back(i == kBlank ? Note{kBlankPitch, 90, 1} : indexNote(i));
        EXPECT_EQ(notesOf(c, 0), expected);
        EXPECT_EQ(std::tie(c.NoteCount, c.Lyrics[3]), std::make_tuple(after, lyric3));
        EXPECT_TRUE(c.Modified && !e.SelActive);
    }
}

TEST_F(EditCommands, CutCopiesThenDeletesAndCutEndEmptiesTheClipboard) {
    reset({6});
    select(0, 0, 1, 2);
    edit::cut(c, e);
    EXPECT_EQ(notesOf(c, 0), indexNotes({0, 3, 4, 5}));
    EXPECT_EQ(std::tuple(e.ClipLen, e.ClipTracks, e.clip(0, 0)), std::tuple(2, 1, indexNote(1)));
    select(0, 0, 1, 1);
    edit::cutEnd(c, e);
    EXPECT_EQ(e.ClipLen, 0);
}

// Copies a block (first and last track, first and last column) from tracks of `counts`
// notes, then pastes it at `scrollPos` over a selection or, without one (kNone and the active
// track), at the end of the active track and the tracks after it. Then `track` and the next
// track hold `notes` and `nextNotes` (empty: not checked), as fillTrack indices.
using PasteCase = std::tuple<const char*, Counts, Block, int, Block, Counts, int, Indices, Indices>;
const PasteCase kPasteCases[] = {
    // clang-format off
    {"NoSelectionFromTrack3FillsOnlyTrack3", {0, 10, 1, 4}, {1, 2, 0, 2}, 0, {kNone, 3},
     {0, 10, 1, 7}, 3, {0, 1, 2, 3, 0, 1, 2}, {}},
    {"NoSelectionFromTrack1FillsTracks1And2", {0, 10, 5, 4}, {1, 2, 0, 2}, 0, {kNone, 1},
     {0, 13, 8, 4}, 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2}, {0, 1, 2, 3, 4, 0, 1, 2}},
    {"NoSelectionFromTrack2FillsTracks2And3", {0, 10, 5, 4}, {1, 3, 0, 1}, 0, {kNone, 2},
     {0, 10, 7, 6}, 2, {0, 1, 2, 3, 4, 0, 1}, {0, 1, 2, 3, 0, 1}},
    {"SelectionAtColumn4InsertsBeforeIt", {10, 10, 10, 10}, {0, 0, 7, 8}, 0, {1, 2, 4, 9},
     {10, 12, 12, 10}, 1, {0, 1, 2, 3, 7, 8, 4, 5, 6, 7, 8, 9}, {}},
    {"SelectionAtColumn0InsertsAtTheStart", {10, 10, 10, 10}, {0, 0, 7, 8}, 0, {1, 1, 0, 9},
     {10, 12, 10, 10}, 1, {7, 8, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {}},
    {"ShorterTrackGetsTheBlockAtItsEnd", {10, 2, 0, 0}, {0, 1, 0, 1}, 5, {0, 1, 1, 1},
     {12, 4, 0, 0}, 0, {0, 1, 2, 3, 4, 5, 0, 1, 6, 7, 8, 9}, {0, 1, 0, 1}},
    {"PastTheLastSlotIsRefusedWhole", {3, kNoteSlots - 1, 0, 0}, {0, 1, 0, 1}, 0, {0, 1, 0, 1},
     {3, kNoteSlots - 1, 0, 0}, 0, {0, 1, 2}, {}},
    // clang-format on
};

TEST_F(EditCommands, PasteFillsTheTargetTracksAsFarAsTheClipboardGoes) {
    for (const auto& [name, counts, copy, scrollPos, paste, after, track, notes, nextNotes] :
         kPasteCases) {
        SCOPED_TRACE(name);
        reset(counts);
        select(copy[0], copy[1], copy[2], copy[3]);
        edit::copy(c, e);
        EXPECT_TRUE(e.SelActive);  // copying keeps the selection
        e.ScrollPos = scrollPos;
        if (paste[0] == kNone) {
            e.SelActive = false;  // the copied tracks are still remembered
            e.ActiveTrack = paste[1];
        } else {
            select(paste[0], paste[1], paste[2], paste[3]);
        }
        const bool refused = edit::paste(c, e).refused.has_value();
        EXPECT_EQ(c.NoteCount, after);
        EXPECT_EQ(notesOf(c, track), indexNotes(notes));
        if (!nextNotes.empty()) {
            EXPECT_EQ(notesOf(c, track + 1), indexNotes(nextNotes));
        }
        EXPECT_EQ(c.Modified, !refused);
        EXPECT_EQ(e.SelActive, refused && paste[0] != kNone);
    }
}

TEST_F(EditCommands, RepeatPastesTheWholeNumberOfTimesAskedUntilOneIsRefused) {
    const std::tuple<const char*, int16_t, int> cases[] = {
        {"3", 2, 8},  {"abc", 2, 2}, {"2.9", 2, 6},
        {"-2", 2, 2}, {" 1x", 2, 4}, {"10", kNoteSlots - 5, kNoteSlots - 1}};
    for (const auto& [answer, notes, after] : cases) {
        reset({notes, 0, 0, 0});
        select(0, 0, 0, 1);
        edit::copy(c, e);
        e.clearSelection();
        q.texts = {answer};
        EXPECT_EQ(edit::repeat(c, e, q).refused.has_value(), notes > 2) << answer;
        EXPECT_EQ(c.NoteCount[0], after) << answer;
        EXPECT_EQ(c.Modified, after > notes) << answer;
    }
    const TextQuestion& asked = q.textQuestions.at(0);
    EXPECT_EQ(asked.prompt + "/" + asked.title + "/" + asked.defaultText,
              "Repeat how many times?/Paste Repeat/0");
    EXPECT_EQ(asked.positionTwips, std::make_pair(4000, 4000));
}

TEST_F(EditCommands, SelectTrackSelectsTheShownNotesOfTheActiveTrack) {
    const std::tuple<int, bool, int> cases[] = {{5, true, 4}, {0, false, -1}, {300, true, 19}};
    for (const auto& [notes, active, end] : cases) {
        reset({0, 0, static_cast<int16_t>(notes), 0});
        e.ActiveTrack = 2;
        select(0, 3, 3, 7);
        EXPECT_TRUE(edit::selectTrack(c, e).selection);
        EXPECT_EQ(std::tie(e.SelActive, e.SelTrackFrom, e.SelTrackTo, e.SelStart, e.SelEnd),
                  std::make_tuple(active, 2, 2, 0, end));
        edit::selectAll(e);
        EXPECT_EQ(std::tie(e.SelActive, e.SelTrackFrom, e.SelTrackTo, e.SelStart, e.SelEnd),
                  std::make_tuple(true, 0, 3, 0, 19));
        EXPECT_FALSE(c.Modified);
    }
}

TEST_F(EditCommands, CopyTrackToTrackCopiesOnlyOnTwoValidAnswers) {
    const std::tuple<std::vector<std::string>, size_t, Counts, bool> cases[] = {
        // clang-format off
        {{"2", "4"}, 2, {4, 6, 8, 6}, true}, {{"", "2"}, 1, {4, 6, 8, 9}, false},
        {{"1", ""}, 2, {4, 6, 8, 9}, false}, {{"5", "1"}, 2, {4, 6, 8, 9}, false},
        {{"1", "0"}, 2, {4, 6, 8, 9}, false}, {{"x", "2"}, 2, {4, 6, 8, 9}, false},
        {{"3", "3"}, 2, {4, 6, 8, 9}, true},
        // clang-format on
    };
    for (const auto& [answers, questions, after, modified] : cases) {
        SCOPED_TRACE(answers[0] + "," + answers[1]);
        reset({4, 6, 8, 9});
        c.setNote(1, 0, {kRestPitch, 99, 7});
        c.TrackInstrument[3] = 44;
        e.SelActive = true;
        q = test::ScriptedQuestions();
        q.texts.assign(answers.begin(), answers.begin() + questions);
        edit::copyTrackToTrack(c, e, q);
        EXPECT_EQ(q.asked.size(), questions);
        EXPECT_EQ(c.NoteCount, after);
        EXPECT_EQ(c.note(3, 0), after[3] == 6 ? Note({kRestPitch, 99, 7}) : indexNote(0));
        EXPECT_EQ(c.TrackInstrument[3], 44);  // the destination keeps its instrument
        EXPECT_EQ(c.Modified, modified);
        EXPECT_FALSE(e.SelActive);
    }
    EXPECT_EQ(std::tie(e.SelTrackFrom, e.SelTrackTo), std::make_tuple(2, 2));
    EXPECT_EQ(q.asked, (std::vector<std::string>{
                           "Copy Track to Track|Enter Source Track (1-4)",
                           "Copy Track to Track|Enter Destination Track (1-4). CAUTION, This "
                           "will overright the destination track. Click Cancel to abort."}));
    EXPECT_EQ(q.textQuestions[1].defaultText, "1");
}

// No to Clear Track still marks the composition modified; Clear All blanks the lyrics too.
TEST_F(EditCommands, ClearTrackAndClearAllAskAndClearOnlyOnYes) {
    reset({4, 8, 0, 6});
    e.ActiveTrack = 1;
    e.ScrollPos = 5;
    q.yesNo = {false, true, false, true};
    edit::clearTrack(c, e, q);
    EXPECT_EQ(std::tie(c.NoteCount[1], e.ScrollPos, c.Modified), std::make_tuple(8, 5, true));
    edit::clearTrack(c, e, q);
    EXPECT_EQ(std::tie(c.NoteCount, e.ScrollPos), std::make_tuple(Counts{4, 0, 0, 6}, 0));
    c.Modified = false;
    e.ScrollPos = 3;
    edit::clearAll(c, e, q);
    EXPECT_EQ(std::tie(c.NoteCount[3], c.Modified), std::make_tuple(6, false));
    EXPECT_TRUE(edit::clearAll(c, e, q).staff);
    EXPECT_EQ(c.NoteCount, Counts{});
    for (int i = 0; i <= 6; ++i)
        EXPECT_EQ(c.Lyrics[i], " ") << i;
    EXPECT_EQ(c.Lyrics[7], "L7");
    EXPECT_EQ(std::tie(e.ScrollPos, c.Modified), std::make_tuple(0, true));
    EXPECT_EQ(
        q.asked[0] + q.asked[2],
        "Confirm Clear Track|Are you sure you want to erase all notes from the active "
        "track?Confirm Clear Track|Are you sure you want to erase all notes from ALL tracks?");
}

// Insertion itself, below the commands that use it.
TEST_F(EditCommands, InsertionInAllTracksOpensTheGapAndMovesTheLyrics) {
    reset({5, 0, 3, 0});
    e.DefaultVelocity = 77;
    e.DefaultLength = 2;
    const CommandResult r = Insertion(c, e, 0, 3, 2, 3);
    std::vector<Note> expected = indexNotes({0, 1, 2, 3, 4});
    expected.insert(expected.begin() + 2, 3, Note{kBlankPitch, 77, 2});
    EXPECT_EQ(notesOf(c, 0), expected);
    // Shorter tracks get their gap at their end, so they never hold holes.
    EXPECT_EQ(notesOf(c, 1), std::vector<Note>(3, Note{kBlankPitch, 77, 2}));
    expected.resize(6);
    expected[5] = indexNote(2);
    EXPECT_EQ(notesOf(c, 2), expected);
    EXPECT_EQ(c.SongLength, 8);
    const std::vector<std::string> lyrics(c.Lyrics.begin(), c.Lyrics.begin() + 9);
    EXPECT_EQ(lyrics,
              (std::vector<std::string>{"L0", "L1", "L2", "L3", "L4", "L2", "L3", "L4", "L5"}));
    EXPECT_TRUE(c.Modified && r.staff && !r.refused);
}

TEST_F(EditCommands, InsertionIsRefusedWholeWhenATrackWouldPassTheLastSlot) {
    reset({10, 0, 0, kNoteSlots - 2});
    e.SelActive = true;
    const Composition before = c;
    const CommandResult r = Insertion(c, e, 0, 3, 0, 3);
    EXPECT_TRUE(r.refused && !r.staff);
    EXPECT_EQ(std::tie(c.NoteCount, c.Lyrics), std::tie(before.NoteCount, before.Lyrics));
    EXPECT_TRUE(e.SelActive && !c.Modified);

    EXPECT_FALSE(Insertion(c, e, 0, 3, 0, 2).refused);  // exactly filling the slots
    EXPECT_EQ(c.NoteCount[3], kNoteSlots);
    EXPECT_EQ(c.note(3, kMaxNoteIndex), indexNote(kNoteSlots - 3));

    // Lyrics near the last slot stay in the table.
    reset({kMaxNoteIndex - 1, kMaxNoteIndex - 1, kMaxNoteIndex - 1, kMaxNoteIndex - 1});
    c.Lyrics[kMaxNoteIndex - 2] = "end";
    Insertion(c, e, 0, 3, kMaxNoteIndex - 5, 2);
    EXPECT_EQ(c.Lyrics[kMaxNoteIndex], "end");
    EXPECT_EQ(c.NoteCount[0], kNoteSlots);
}

}  // namespace
}  // namespace qn
