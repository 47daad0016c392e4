#include "print/pagecontent.h"

#include <gtest/gtest.h>

#include "print/printjob.h"
#include "printtestsupport.h"
#include "staff/staffgeometry.h"

namespace qn::print {
namespace {

const auto caption = [](int t) { return QStringLiteral("%1  Program").arg(t); };

TEST(PageCount, HoldsTheSongInTwentyNotePagesAndIsNeverZero) {
    for (const auto& [songLength, pages] :
         {std::pair{0, 1}, {20, 1}, {21, 2}, {40, 2}, {10001, 501}})
        EXPECT_EQ(PageCount(songLength), pages) << songLength;
}

TEST(RenderPage, ShowsEachTracksNotesOfThePageAndThePagesLyrics) {
    // Track 0 reaches page 3, track 1 only the first column of page 2, track 2
    // is empty, track 3 is full: its last page holds one note and one lyric.
    const auto c = test::shapedComposition({45, 21, 0, 10001});
    const std::tuple<int, int, int> cases[] = {{1, 0, 20}, {3, 0, 5}, {2, 1, 1},
                                               {3, 1, 0},  {1, 2, 0}, {501, 3, 1}};
    for (const auto& [number, track, lastColumnShown] : cases) {
        SCOPED_TRACE(testing::Message() << "page " << number << " track " << track);
        const PageContent page = RenderPage(*c, caption, number);
        for (int column = 1; column <= 20; ++column) {
            const int n = PageStart(number) + column - 1;
            const int slot = 20 * track + column;
            if (column <= lastColumnShown)
                EXPECT_EQ(page.slot(slot).velocityText, std::to_string(1 + n % 127)) << column;
            else
                EXPECT_EQ(page.slot(slot), staff::initialGlyphState(staff::pageGlyphLayout(), slot))
                    << column;
            EXPECT_EQ(page.lyrics[column - 1],
                      n <= 10000 ? QStringLiteral("w%1").arg(n) : QString());
        }
    }
}

TEST(RenderPage, PutsANoteWhereTheScreenDoesHorizontallyAtThePagesHeights) {
    const std::tuple<int, int, int, int> cases[] = {
        {0, 0, 2080, 1580}, {1, 12, 3540, 2980}, {2, 24, 5000, 4400}, {3, 9, 6440, 5820}};
    for (const auto& [track, pitch, pageBase, restTop] : cases) {
        SCOPED_TRACE(track);
        // Note 27 and a rest after it: page 2, where the screen scrolled to 20 shows them
        // in columns 7 and 8.
        auto c = test::shapedComposition({0, 0, 0, 0});
        for (int i = 0; i < 28; ++i)
            c->setNote(track, i, Note{int16_t(pitch), 100, 2});
        c->setNote(track, 28, Note{kRestPitch, 100, kRestLength});
        c->NoteCount[track] = 29;
        const PageContent page = RenderPage(*c, caption, 2);

        staff::GlyphState screen;
        staff::DrawNoteGlyph(screen, staff::screenGlyphLayout(), 20 * track + 7, pitch, 2, 100);
        const staff::GlyphState& printed = page.slot(20 * track + 8);
        EXPECT_EQ(std::tie(printed.headX, printed.stem.x1, printed.sharp[2].x1),
                  std::tie(screen.headX, screen.stem.x1, screen.sharp[2].x1));
        EXPECT_EQ(printed.headY, pageBase - 60 * staff::StaffPosition(pitch));
        EXPECT_EQ(printed.labelY, kPageLabelRow[track]);
        const staff::GlyphLine& rest = page.slot(20 * track + 9).rest[0];
        EXPECT_EQ(QPoint(rest.x1, rest.y1), QPoint(500 + 500 * 9, restTop));
    }
}

TEST(RenderPage, LabelsTheInstrumentsOnPageOneOnly) {
    auto c = test::shapedComposition({30, 0, 0, 0});
    c->TrackOctave = {4, 3, 5, 2};
    const PageContent first = RenderPage(*c, caption, 1);
    const PageContent second = RenderPage(*c, caption, 2);
    EXPECT_EQ(first.instrumentLabels[0], QStringLiteral("Track  1= 0  Program"));
    EXPECT_EQ(first.instrumentLabels[3], QStringLiteral("Track  4= 3  Program"));
    EXPECT_EQ(second.instrumentLabels, (std::array<QString, 4>{}));
    EXPECT_EQ(first.pageCaption, QStringLiteral("Page  1"));
    EXPECT_EQ(second.pageCaption, QStringLiteral("Page  2"));
    EXPECT_EQ(second.octaveLabels[1], QStringLiteral("3"));
}

TEST(PrintOrder, PrintsTheChosenPagesClampedToTheScoreOnceForEachCopy) {
    const std::tuple<bool, int, int, int, std::vector<int>> cases[] = {
        {true, 7, 0, 1, {1, 2, 3}}, {false, 2, 99, 1, {2, 3}}, {false, 1, 2, 3, {1, 2, 1, 2, 1, 2}},
        {false, 3, 2, 1, {}},       {false, 0, 2, 1, {}},      {false, 4, 9, 2, {}},
    };
    for (const auto& [all, from, to, copies, pages] : cases)
        EXPECT_EQ(printOrder(chosenRange(all, from, to, 3), copies), pages)
            << from << ".." << to << " x" << copies;
}

TEST(PrintPages, AFailingPrinterEndsTheRunAndKeepsWhatWasPrinted) {
    const auto c = test::shapedComposition({60, 0, 0, 0});
    std::vector<int> printed;
    test::RecordingSink sink(printed, 2);
    const PrintOutcome outcome = printPages(sink, *c, [](int) { return QString(); }, {1, 2, 3, 1});
    EXPECT_EQ(printed, (std::vector<int>{1, 2}));
    EXPECT_EQ(std::tie(outcome.printed, outcome.error), std::make_tuple(2, "paper jam"));
}

}  // namespace
}  // namespace qn::print
