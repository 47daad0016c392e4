#include "midiwriter.h"

#include <algorithm>

#include "bytebuffer.h"

namespace qn {

namespace {

constexpr int kTicksPerLengthCode = 8;

void writeHeader(ByteBuffer& out, int trackChunks, int division) {
    const size_t at = out.beginChunk("MThd");
    out.u16(1);  // format 1: simultaneous tracks
    out.u16(trackChunks);
    out.u16(std::clamp(division, 1, 0x7FFF));
    out.endChunk(at);
}

void writeTempoTrack(ByteBuffer& out) {
    const size_t at = out.beginChunk("MTrk");
    out.bytes({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});        // 500 000 us per quarter
    out.bytes({0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08});  // 4/4
    out.bytes({0x00, 0xFF, 0x2F, 0x00});
    out.endChunk(at);
}

void writeTextTrack(ByteBuffer& out, const std::string& text) {
    const size_t at = out.beginChunk("MTrk");
    out.bytes({0x00, 0xC0, 0x00});
    out.bytes({0x00, 0xFF, 0x7F, 0x05, 0x05, 0x0F, 0x09, 0x00, 0x08});
    out.bytes({0x00, 0xFF, 0x03, 0x07});
    out.text("Track 1");
    out.bytes({0x00, 0xFF, 0x20, 0x01, 0x00});
    out.bytes({0x00, 0xFF, 0x02});
    out.vlq(static_cast<uint32_t>(text.size()));
    out.text(text);
    out.bytes({0x01, 0xFF, 0x2F, 0x00});
    out.endChunk(at);
}

void writeEmptyTrack(ByteBuffer& out) {
    const size_t at = out.beginChunk("MTrk");
    out.bytes({0x81, 0x04, 0xFF, 0x2F, 0x00});  // end of track after 132 ticks
    out.endChunk(at);
}

void writeNoteTrack(ByteBuffer& out, const Composition& c, int t, int first, int last) {
    const size_t at = out.beginChunk("MTrk");
    out.bytes({kMidiFirstNoteTick, static_cast<uint8_t>(0xC0 + t)});
    out.u8(std::clamp<int>(c.TrackInstrument[t], 0, 127));
    out.u8(0);  // delta before the first note
    for (int i = first; i <= last; ++i) {
        const Note n = c.note(t, i);
        int key, velocity, sounding;
        if (isRest(n.pitch)) {
            key = kRestNoteNumber;
            velocity = kRestVelocity;
            sounding = kMidiStepTicks;
        } else {
            key = midiNoteNumber(c.TrackOctave[t], n.pitch);
            velocity = std::min<int>(n.velocity, 127);
            sounding = kTicksPerLengthCode * std::min<int>(n.length, 5);
        }
        out.bytes({static_cast<uint8_t>(0x90 + t), static_cast<uint8_t>(key),
                   static_cast<uint8_t>(velocity), static_cast<uint8_t>(sounding),
                   static_cast<uint8_t>(0x80 + t), static_cast<uint8_t>(key), 0x00,
                   static_cast<uint8_t>(kMidiStepTicks - sounding)});
    }
    out.bytes({0xFF, 0x2F, 0x00});  // its delta is the last note's silence
    out.endChunk(at);
}

}  // namespace

int midiNoteNumber(int octave, int pitchCode) {
    return std::clamp(12 * octave + 11 + pitchCode, 0, 127);
}

std::string midiCopyrightText(const Composition& c) {
    return std::string(kMidiCredit) + c.CompositionCopyright + " " + c.CompositionAuthor +
           ". Title-" + c.CompName;
}

std::vector<uint8_t> WriteMidiFile(const Composition& c, int firstTrack, int lastTrack,
                                   int firstNote, int lastNote) {
    if (lastNote < firstNote) return {};
    firstTrack = std::clamp(firstTrack, 0, kTrackCount - 1);
    lastTrack = std::clamp(lastTrack, firstTrack, kTrackCount - 1);
    firstNote = std::max(firstNote, 0);

    size_t noteCount = 0;
    for (int t = firstTrack; t <= lastTrack; ++t)
        noteCount += std::max(0, std::min(lastNote, c.NoteCount[t] - 1) - firstNote + 1);
    ByteBuffer out;
    out.reserve(256 + c.CompName.size() + 8 * noteCount);
    writeHeader(out, lastTrack - firstTrack + 3, c.Division);
    writeTempoTrack(out);
    writeTextTrack(out, midiCopyrightText(c));
    for (int t = firstTrack; t <= lastTrack; ++t) {
        const int last = std::min(lastNote, c.NoteCount[t] - 1);
        if (c.NoteCount[t] == 0 || c.NoteCount[t] <= firstNote || lastNote == 0)
            writeEmptyTrack(out);
        else
            writeNoteTrack(out, c, t, firstNote, last);
    }
    return out.take();
}

}  // namespace qn
