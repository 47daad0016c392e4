#pragma once

// Karaoke MIDI: the plain export with the lyrics added as lyric meta events,
// each at the tick where its note position starts.

#include <cstdint>
#include <vector>

#include "composition.h"

namespace qn {

// `midi` is WriteMidiFile's whole-composition export (notes 0..SongLength);
// adds one track holding Lyrics(0) .. Lyrics(SongLength - 1). Every other byte
// stays as it was, except the header's track count.
void addLyricsTrack(std::vector<uint8_t>& midi, const Composition& c);

}  // namespace qn
