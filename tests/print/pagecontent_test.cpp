#include "print/pagecontent.h"

#include <gtest/gtest.h>

#include "printtestsupport.h"
#include "staff/staffgeometry.h"

namespace qn::print {
namespace {

QString caption(int t) {
    return QStringLiteral("%1  Program").arg(t);
}

TEST(PageCount, HoldsTheSongInTwentyNotePagesAndIsNeverZero) {
    const std::pair<int, int> cases[] = {{0, 1}, {1, 1}, {20, 1}, {21, 2}, {40, 2}, {10001, 501}};
    for (const auto& [songLength, pages] : cases)
        EXPECT_EQ(PageCount(songLength), pages) << songLength;
}

TEST(RenderPage, ShowsEachTracksNotesOfThePageAndThePagesLyrics) {
    // Track 0 reaches page 3, track 1 only the first column of page 2, track 2 is empty.
    const auto c = test::shapedComposition({45, 21, 0, 40});
    struct Case {
        int page;
        int track;
        int lastColumnShown;  // 0: none
    };
    const Case cases[] = {{1, 0, 20}, {2, 0, 20}, {3, 0, 5},  {2, 1, 1},
                          {3, 1, 0},  {1, 2, 0},  {2, 3, 20}, {3, 3, 0}};
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "page " << k.page << " track " << k.track);
        const PageContent page = RenderPage(*c, caption, k.page);
        for (int column = 1; column <= 20; ++column) {
            const staff::GlyphState& g = page.slot(20 * k.track + column);
            const int n = PageStart(k.page) + column - 1;
            if (column <= k.lastColumnShown)
                EXPECT_EQ(g.velocityText, std::to_string(n % 128)) << column;
            else
                EXPECT_EQ(g,
                          staff::initialGlyphState(staff::pageGlyphLayout(), 20 * k.track + column))
                    << column;
        }
        EXPECT_EQ(page.lyrics[0], QStringLiteral("w%1").arg(PageStart(k.page)));
        EXPECT_EQ(page.lyrics[19], QStringLiteral("w%1").arg(PageStart(k.page) + 19));
    }
}

TEST(RenderPage, LastPageOfAFullCompositionStopsAtTheLastLyric) {
    const auto c = test::shapedComposition({10001, 0, 0, 0});
    const PageContent page = RenderPage(*c, caption, 501);
    EXPECT_EQ(page.lyrics[0], QStringLiteral("w10000"));
    EXPECT_TRUE(page.lyrics[1].isEmpty());
    EXPECT_EQ(page.slot(1).velocityText, std::to_string(10000 % 128));
    EXPECT_TRUE(page.slot(2).velocityText.empty());
}

TEST(RenderPage, PutsANoteWhereTheScreenDoesHorizontallyAtThePagesHeights) {
    // A note shown in screen column c with ScrollPos = PageStart stands in page column c + 1.
    struct Case {
        int track;
        int pitch;
        int pageBase;
        int restTop;
    };
    const Case cases[] = {
        {0, 0, 2080, 1580}, {1, 12, 3540, 2980}, {2, 24, 5000, 4400}, {3, 9, 6440, 5820}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.track);
        auto c = test::shapedComposition({0, 0, 0, 0});
        const int index = 20 + 7;  // page 2, screen column 7
        for (int i = 0; i <= index; ++i)
            c->setNote(k.track, i, Note{static_cast<int16_t>(k.pitch), 100, 2});
        c->setNote(k.track, index + 1, Note{kRestPitch, 100, kRestLength});
        c->NoteCount[k.track] = static_cast<int16_t>(index + 2);
        const PageContent page = RenderPage(*c, caption, 2);

        staff::GlyphState screen;
        staff::DrawNoteGlyph(screen, staff::screenGlyphLayout(), 20 * k.track + 7, k.pitch, 2, 100);
        const staff::GlyphState& printed = page.slot(20 * k.track + 8);
        EXPECT_EQ(printed.headX, screen.headX);
        EXPECT_EQ(printed.stem.x1, screen.stem.x1);
        EXPECT_EQ(printed.headY, k.pageBase - 60 * staff::StaffPosition(k.pitch));
        EXPECT_EQ(printed.labelY, kPageLabelRow[k.track]);

        // The rest in the next column, by the page's own rest table.
        const staff::GlyphState& rest = page.slot(20 * k.track + 9);
        EXPECT_EQ(rest.rest[0].x1, 500 + 500 * 9);
        EXPECT_EQ(rest.rest[0].y1, k.restTop);
    }
}

TEST(RenderPage, LabelsTheInstrumentsOnPageOneOnly) {
    auto c = test::shapedComposition({30, 0, 0, 0});
    c->DocName = "song.msf";
    c->CompositionAuthor = "Ann";
    c->TrackOctave = {4, 3, 5, 2};
    const PageContent first = RenderPage(*c, caption, 1);
    const PageContent second = RenderPage(*c, caption, 2);
    EXPECT_EQ(first.instrumentLabels[0], QStringLiteral("Track  1= 0  Program"));
    EXPECT_EQ(first.instrumentLabels[3], QStringLiteral("Track  4= 3  Program"));
    for (const QString& label : second.instrumentLabels)
        EXPECT_TRUE(label.isEmpty());
    EXPECT_EQ(first.pageCaption, QStringLiteral("Page  1"));
    EXPECT_EQ(second.pageCaption, QStringLiteral("Page  2"));
    for (const PageContent* page : {&first, &second}) {
        EXPECT_EQ(page->title, QStringLiteral("song.msf"));
        EXPECT_EQ(page->author, QStringLiteral("Ann"));
        EXPECT_EQ(page->octaveLabels[1], QStringLiteral("3"));
    }
}

}  // namespace
}  // namespace qn::print
