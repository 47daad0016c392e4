#include "karaokemidi.h"

#include <algorithm>
#include <string>

#include "bytebuffer.h"
#include "midiwriter.h"

namespace qn {

namespace {

constexpr size_t kTrackCountAt = 10;  // the header's 16-bit number of tracks

// Players show the lyric events in a row, so each word carries the blank
// that parts it from the next; a syllable ending in a hyphen joins its word.
std::string shownText(const std::string& lyric) {
    if (lyric.back() == ' ' || lyric.back() == '-') return lyric;
    return lyric + ' ';
}

}  // namespace

void addLyricsTrack(std::vector<uint8_t>& midi, const Composition& c) {
    if (midi.size() < kTrackCountAt + 2) return;
    const unsigned tracks = (midi[kTrackCountAt] << 8 | midi[kTrackCountAt + 1]) + 1;
    midi[kTrackCountAt] = static_cast<uint8_t>(tracks >> 8);
    midi[kTrackCountAt + 1] = static_cast<uint8_t>(tracks);

    // The words have a track of their own, named "Words", as karaoke files
    // usually keep them: players and sequencers look for the lyrics there and
    // the note tracks stay exactly as the plain export writes them. It goes
    // last, so every chunk before it keeps its place too.
    ByteBuffer out;
    const size_t at = out.beginChunk("MTrk");
    out.bytes({0x00, 0xFF, 0x03, 0x05});
    out.text("Words");
    const int positions = std::min<int>(c.SongLength, static_cast<int>(c.Lyrics.size()));
    uint32_t now = 0;
    for (int i = 0; i < positions; ++i) {
        if (c.Lyrics[i].empty()) continue;
        // Where note position i starts in every note track.
        const auto tick = static_cast<uint32_t>(kMidiFirstNoteTick + kMidiStepTicks * i);
        const std::string text = shownText(c.Lyrics[i]);
        out.vlq(tick - now);
        out.bytes({0xFF, 0x05});
        out.vlq(static_cast<uint32_t>(text.size()));
        out.text(text);
        now = tick;
    }
    out.bytes({0x00, 0xFF, 0x2F, 0x00});
    out.endChunk(at);
    const std::vector<uint8_t> track = out.take();
    midi.insert(midi.end(), track.begin(), track.end());
}

}  // namespace qn
