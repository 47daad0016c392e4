#include "model/durationcommand.h"

#include <gtest/gtest.h>

#include <memory>

#include "modeltestsupport.h"

namespace qn {
namespace {

TEST(ChooseDuration, SetsTheDurationOfNewNotesAndOfTheSelection) {
    auto c = std::make_unique<Composition>();
    EditState e;
    test::fillTrack(*c, 1, 10);
    test::fillTrack(*c, 2, 2);  // shorter than the selection: its stale slots are written too
    const auto before = test::notesOf(*c, 1);
    EXPECT_FALSE(chooseDuration(*c, e, 1).staff);  // no selection: the notes stay
    EXPECT_EQ(e.DefaultLength, 1);
    EXPECT_EQ(test::notesOf(*c, 1), before);

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
