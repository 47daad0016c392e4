#include "model/durationcommand.h"

#include <gtest/gtest.h>

#include <memory>

#include "modeltestsupport.h"

namespace qn {
namespace {

TEST(ChooseDuration, WithoutSelectionOnlySetsTheDurationOfNewNotes) {
    auto c = std::make_unique<Composition>();
    EditState e;
    test::fillTrack(*c, 0, 5);
    const auto before = test::notesOf(*c, 0);
    const CommandResult r = chooseDuration(*c, e, 1);
    EXPECT_EQ(e.DefaultLength, 1);
    EXPECT_EQ(test::notesOf(*c, 0), before);
    EXPECT_FALSE(r.staff);
}

TEST(ChooseDuration, RestPictureTurnsSelectedPositionsIntoRestsWithoutModified) {
    auto c = std::make_unique<Composition>();
    EditState e;
    test::fillTrack(*c, 1, 10);
    test::fillTrack(*c, 2, 2);  // shorter than the selection: its stale slots are written too
    e = {.SelActive = true, .SelTrackFrom = 1, .SelTrackTo = 2, .SelStart = 3, .SelEnd = 6};
    const CommandResult r = chooseDuration(*c, e, kRestLength);
    for (int t = 1; t <= 2; ++t)
        for (int i = 3; i <= 6; ++i) {
            EXPECT_EQ(c->NotePitch[t][i], kRestPitch) << t << "," << i;
            EXPECT_EQ(c->NoteLength[t][i], kRestLength) << t << "," << i;
        }
    EXPECT_EQ(c->note(1, 2), test::indexNote(2));
    EXPECT_EQ(c->note(1, 7), test::indexNote(7));
    EXPECT_EQ(c->NoteCount[2], 2);
    EXPECT_FALSE(c->Modified);
    EXPECT_TRUE(r.staff);
    EXPECT_FALSE(e.SelActive);
}

TEST(ChooseDuration, NoteDurationKeepsPitchesAndIgnoresCodesOutsideThePalette) {
    auto c = std::make_unique<Composition>();
    EditState e;
    test::fillTrack(*c, 0, 4);
    e = {.SelActive = true, .SelStart = 0, .SelEnd = 1};
    chooseDuration(*c, e, 4);
    EXPECT_EQ(c->NoteLength[0][0], 4);
    EXPECT_EQ(c->NotePitch[0][1], test::indexNote(1).pitch);
    EXPECT_EQ(c->NoteLength[0][2], test::indexNote(2).length);

    chooseDuration(*c, e, 8);
    EXPECT_EQ(e.DefaultLength, 4);
}

}  // namespace
}  // namespace qn
