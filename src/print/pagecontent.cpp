#include "pagecontent.h"

#include "model/numbertext.h"
#include "staff/glyphlayout.h"

namespace qn::print {

void DrawPageGlyph(staff::GlyphState& glyph, int slot, int pitch, int length, int velocity) {
    staff::DrawNoteGlyph(glyph, staff::pageGlyphLayout(), slot, pitch, length, velocity);
}

PageContent RenderPage(const Composition& c, const InstrumentCaption& instrument, int page) {
    PageContent content;
    content.page = page;
    content.pageCaption = QStringLiteral("Page ") + QString::fromStdString(numberText(page));
    content.title = QString::fromStdString(c.DocName);
    content.author = QString::fromStdString(c.CompositionAuthor);

    const staff::GlyphLayout& layout = staff::pageGlyphLayout();
    for (int g = 1; g <= kPageSlots; ++g)
        content.glyphs[static_cast<size_t>(g - 1)] = staff::initialGlyphState(layout, g);

    const int start = PageStart(page);
    for (int i = 0; i < kPageColumns; ++i) {
        // The last page may reach past the last lyric slot.
        if (isNoteSlot(start + i))
            content.lyrics[static_cast<size_t>(i)] = QString::fromStdString(c.Lyrics[start + i]);
    }

    for (int t = 0; t < kTrackCount; ++t) {
        for (int column = 1; column <= kPageColumns && start + column <= c.NoteCount[t]; ++column) {
            const int n = start + column - 1;
            const int g = kPageColumns * t + column;
            DrawPageGlyph(content.glyphs[static_cast<size_t>(g - 1)], g, c.NotePitch[t][n],
                          c.NoteLength[t][n], c.NoteVelocity[t][n]);
        }
        if (page == 1)
            content.instrumentLabels[t] = QStringLiteral("Track ") +
                                          QString::fromStdString(numberText(t + 1)) +
                                          QStringLiteral("= ") + instrument(t);
        content.octaveLabels[t] = QString::number(c.TrackOctave[t]);
    }
    return content;
}

}  // namespace qn::print
