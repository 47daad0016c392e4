#pragma once

// What one printed page shows, decided from the composition: the captions,
// the lyrics and the glyph of every note on the page. The preview and the
// printer paint the same content.

#include <QString>
#include <array>
#include <functional>

#include "model/composition.h"
#include "pagelayout.h"
#include "staff/glyphstate.h"

namespace qn::print {

// The caption of track t's instrument label in the main window ("0  Acoustic Grand").
using InstrumentCaption = std::function<QString(int track)>;

struct PageContent {
    int page = 1;
    QString pageCaption;  // "Page  1": the number written with a leading blank
    QString title;        // DocName
    QString author;
    std::array<QString, kTrackCount> instrumentLabels;  // filled on page 1 only
    std::array<QString, kTrackCount> octaveLabels;
    std::array<QString, kPageColumns> lyrics;
    std::array<staff::GlyphState, kPageSlots> glyphs;  // slot g at [g - 1]

    const staff::GlyphState& slot(int g) const { return glyphs[static_cast<size_t>(g - 1)]; }
};

// Draws one note into page slot g (1..80) as the staff draws it on screen,
// at the page's anchors.
void DrawPageGlyph(staff::GlyphState& glyph, int slot, int pitch, int length, int velocity);

// Page `page` (1-based) of the composition: notes PageStart .. PageStart + 19
// of every track, as far as each track goes.
PageContent RenderPage(const Composition& c, const InstrumentCaption& instrument, int page);

}  // namespace qn::print
