#include "model/modifycommands.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "model/durationcommand.h"
#include "modeltestsupport.h"

namespace qn {
namespace {

using modify::Step;
constexpr Step kHigher = Step::HigherPitch, kLower = Step::LowerPitch,
               kLonger = Step::LongerDuration, kShorter = Step::ShorterDuration,
               kLouder = Step::IncreaseVolume, kSofter = Step::DecreaseVolume;
constexpr bool kLast = false, kSelected = true;  // the last note, or a selected one

// The step, which note it changes, and that note before and after it.
const std::tuple<Step, bool, Note, Note> kStepCases[] = {
    {kHigher, kLast, {16, 100, 3}, {17, 100, 3}},   {kHigher, kLast, {17, 100, 3}, {17, 100, 3}},
    {kHigher, kSelected, {23, 9, 3}, {24, 9, 3}},   {kHigher, kSelected, {24, 9, 3}, {24, 9, 3}},
    {kHigher, kLast, {169, 9, 7}, {169, 9, 7}},     {kHigher, kSelected, {169, 9, 7}, {169, 9, 7}},
    {kLower, kLast, {169, 9, 7}, {169, 9, 7}},      {kLower, kLast, {1, 9, 3}, {0, 9, 3}},
    {kLower, kSelected, {0, 9, 3}, {0, 9, 3}},      {kLower, kSelected, {24, 9, 3}, {23, 9, 3}},
    {kLonger, kLast, {5, 9, 3}, {5, 9, 3}},         {kLonger, kSelected, {5, 9, 4}, {5, 9, 5}},
    {kLonger, kSelected, {5, 9, 5}, {5, 9, 5}},     {kLonger, kSelected, {169, 9, 7}, {169, 9, 7}},
    {kShorter, kLast, {5, 9, 3}, {5, 9, 3}},        {kShorter, kSelected, {5, 9, 1}, {5, 9, 0}},
    {kShorter, kSelected, {5, 9, 0}, {5, 9, 0}},    {kLouder, kLast, {5, 121, 3}, {5, 126, 3}},
    {kLouder, kLast, {5, 122, 3}, {5, 122, 3}},     {kLouder, kSelected, {5, 122, 3}, {5, 127, 3}},
    {kLouder, kSelected, {5, 123, 3}, {5, 123, 3}}, {kSofter, kLast, {5, 6, 3}, {5, 1, 3}},
    {kSofter, kLast, {5, 5, 3}, {5, 5, 3}},
};

TEST(ModifyStep, ChangesOneStepWithinTheBoundsOfItsCase) {
    for (const auto& k : kStepCases) {
        SCOPED_TRACE("case " + std::to_string(&k - kStepCases));
        const auto& [kind, selected, before, after] = k;
        Composition c;
        EditState e;
        test::fillTrack(c, 1, 12);
        e.ActiveTrack = 1;
        e.ScrollPos = 6;
        e.SelActive = selected;
        e.SelTrackFrom = e.SelTrackTo = 1;
        e.SelStart = e.SelEnd = 2;
        const int index = selected ? 8 : 11;  // column 2, or the last note
        c.setNote(1, index, before);
        std::vector<Note> expected = test::notesOf(c, 1);
        expected[index] = after;
        const CommandResult r = modify::step(c, e, kind);
        EXPECT_EQ(test::notesOf(c, 1), expected);
        EXPECT_EQ(std::tie(c.Modified, e.SelActive, r.staff), std::tuple(true, selected, false));
        const bool volume = kind == kLouder || kind == kSofter;
        const std::vector<NoteRef> changed =
            after == before ? std::vector<NoteRef>{} : std::vector<NoteRef>{{1, index}};
        EXPECT_EQ(volume ? r.velocityLabels : r.glyphs, changed);
        EXPECT_TRUE((volume ? r.glyphs : r.velocityLabels).empty());
    }
}

TEST(ModifyStep, SkipsSelectedColumnsWithoutNotesAndEmptyActiveTracks) {
    Composition c;
    EditState e;
    test::fillTrack(c, 0, 3);
    test::fillTrack(c, 2, 6);
    c.setNote(0, 5, {3, 50, 2});  // a stale slot past the track's end
    e.ActiveTrack = 1;
    for (const Step kind : {kHigher, kLower, kLouder, kSofter})
        EXPECT_TRUE(modify::step(c, e, kind).changedNothing());
    e = EditState{.ScrollPos = 1,
                  .SelActive = true,
                  .SelTrackFrom = 0,
                  .SelTrackTo = 2,
                  .SelStart = 1,
                  .SelEnd = 8};
    const CommandResult r = modify::step(c, e, kLouder);
    EXPECT_EQ(r.velocityLabels, (std::vector<NoteRef>{{0, 2}, {2, 2}, {2, 3}, {2, 4}, {2, 5}}));
    EXPECT_EQ(c.note(0, 5), (Note{3, 50, 2}));
    EXPECT_EQ(c.note(2, 5).velocity, test::indexNote(5).velocity + 5);
}

std::vector<int> rampOf(int first, int last, bool fadeIn, int firstVelocity) {
    Composition c;
    test::fillTrack(c, 2, 30);
    EditState e{.ScrollPos = 3,
                .SelActive = true,
                .SelTrackFrom = 2,
                .SelTrackTo = 2,
                .SelStart = first,
                .SelEnd = last};
    c.NoteVelocity[2][e.ScrollPos + first] = static_cast<uint8_t>(firstVelocity);
    const CommandResult r = fadeIn ? modify::fadeIn(c, e) : modify::fadeOut(c, e);
    EXPECT_TRUE(r.staff && !e.SelActive && c.Modified);
    EXPECT_EQ(c.NoteVelocity[2][2 + first], test::indexNote(2 + first).velocity);
    std::vector<int> ramp;
    for (int col = first; col <= last; ++col)
        ramp.push_back(c.NoteVelocity[2][3 + col]);
    return ramp;
}

TEST(Fade, RampsFromSilenceOrDownFromTheFirstVelocity) {
    EXPECT_EQ(rampOf(0, 4, true, 100), (std::vector<int>{0, 25, 50, 75, 100}));
    EXPECT_EQ(rampOf(0, 4, false, 90), (std::vector<int>{90, 68, 46, 24, 2}));
    EXPECT_EQ(rampOf(2, 4, true, 127), (std::vector<int>{0, 64, 127}));  // 128 is clamped
    EXPECT_EQ(rampOf(1, 3, false, 30), (std::vector<int>{30, 15, 0}));
    const std::vector<int> longOut = rampOf(0, 19, false, 50);  // step 3 passes zero
    EXPECT_EQ(std::vector<int>(longOut.begin() + 16, longOut.end()),
              (std::vector<int>{2, 0, 0, 0}));
}

TEST(Fade, WritesEveryColumnOfEveryTrackFromItsOwnFirstNote) {
    Composition c;
    test::fillTrack(c, 0, 2);
    test::fillTrack(c, 1, 10);
    c.NoteVelocity[0][0] = 40;
    c.NoteVelocity[1][0] = 80;
    EditState e{.SelActive = true, .SelTrackFrom = 0, .SelTrackTo = 1, .SelStart = 0, .SelEnd = 4};
    modify::fadeIn(c, e);
    EXPECT_EQ(c.NoteVelocity[0][4], 40);  // past the track's end, yet written
    EXPECT_EQ(c.NoteCount[0], 2);
    EXPECT_EQ(c.NoteVelocity[1][2], 40);
}

TEST(Fade, IsRefusedOverOneColumnAndNeedsASelection) {
    for (const bool fadeIn : {true, false}) {
        Composition c;
        EditState e;
        test::fillTrack(c, 0, 5);
        CommandResult r = fadeIn ? modify::fadeIn(c, e) : modify::fadeOut(c, e);
        EXPECT_TRUE(r.changedNothing());
        e.SelActive = true;
        e.SelStart = e.SelEnd = 2;
        r = fadeIn ? modify::fadeIn(c, e) : modify::fadeOut(c, e);
        EXPECT_TRUE(r.refused && !c.Modified && e.SelActive);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(c.note(0, i), test::indexNote(i));
    }
}

TEST(ChooseDuration, SetsTheDurationOfNewNotesAndOfTheSelection) {
    auto c = std::make_unique<Composition>();
    EditState e;
    test::fillTrack(*c, 1, 10);
    test::fillTrack(*c, 2, 2);  // shorter than the selection: its stale slots are written too
    const auto before = test::notesOf(*c, 1);
    EXPECT_FALSE(chooseDuration(*c, e, 1).staff);  // no selection: the notes stay
    EXPECT_EQ(std::tuple(e.DefaultLength, test::notesOf(*c, 1)), std::tuple(1, before));

    e = {.SelActive = true, .SelTrackFrom = 1, .SelTrackTo = 2, .SelStart = 3, .SelEnd = 4};
    chooseDuration(*c, e, 4);
    EXPECT_EQ(c->note(1, 3), (Note{test::indexNote(3).pitch, test::indexNote(3).velocity, 4}));
    EXPECT_FALSE(e.SelActive);

    // The rest picture turns the positions into rests, without Modified.
    e = {.SelActive = true, .SelTrackFrom = 1, .SelTrackTo = 2, .SelStart = 3, .SelEnd = 6};
    EXPECT_TRUE(chooseDuration(*c, e, kRestLength).staff);
    for (int t = 1; t <= 2; ++t)
        for (int i = 2; i <= 7; ++i) {
            const Note n = c->note(t, i);
            EXPECT_EQ(n.pitch == kRestPitch && n.length == kRestLength, i >= 3 && i <= 6) << i;
        }
    EXPECT_EQ(c->NoteCount[2], 2);
    EXPECT_FALSE(c->Modified);

    chooseDuration(*c, e, 8);  // outside the palette
    EXPECT_EQ(e.DefaultLength, kRestLength);
}

}  // namespace
}  // namespace qn
