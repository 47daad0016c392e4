#include "notepreview.h"

#include <algorithm>

#include "bytebuffer.h"
#include "composition.h"
#include "midiwriter.h"

namespace qn {

namespace {

constexpr int kPreviewDivision = 240;

}  // namespace

NotePreview writenote(int instrument, int pitch, int length, int octave, int velocity) {
    NotePreview result;
    int key = kRestNoteNumber;
    if (isRest(pitch)) {
        result.pitch = pitch;
        velocity = kRestVelocity;
    } else {
        key = midiNoteNumber(octave, pitch);
        result.pitch = key;
    }

    ByteBuffer out;
    const size_t header = out.beginChunk("MThd");
    out.u16(1);
    out.u16(2);
    out.u16(kPreviewDivision);
    out.endChunk(header);

    const size_t first = out.beginChunk("MTrk");
    out.bytes({0x00, 0xFF, 0x7F, 0x07, 0x05, 0x0F, 0x12, 0x03, 0x03, 0x00, 0x7F});
    out.bytes({0x00, 0xFF, 0x03, 0x07});
    out.text("Track 0");
    out.bytes({0x00, 0xFF, 0x51, 0x03, 0x0B, 0x71, 0xB0});  // 750 000 us per quarter
    out.bytes({0x01, 0xFF, 0x2F, 0x00});
    out.endChunk(first);

    const size_t second = out.beginChunk("MTrk");
    out.bytes({0x00, 0xC0, static_cast<uint8_t>(std::clamp(instrument, 0, 127))});
    out.bytes({0x00, 0xFF, 0x7F, 0x05, 0x05, 0x0F, 0x09, 0x00, 0x08});
    out.bytes({0x00, 0xFF, 0x03, 0x07});
    out.text("Track 1");
    out.bytes({0x00, 0xFF, 0x20, 0x01, 0x00});
    out.bytes({0x00, 0xFF, 0x02, static_cast<uint8_t>(kPreviewText.size())});
    out.text(kPreviewText);
    out.bytes({0x00, 0x90, static_cast<uint8_t>(key),
               static_cast<uint8_t>(std::clamp(velocity, 0, kMaxVelocity))});
    // The note sounds for 128 + 19 * length + 1 ticks.
    out.vlq(128 + 19 * static_cast<uint32_t>(std::clamp(length, 0, 255)) + 1);
    out.bytes({0x80, static_cast<uint8_t>(key), 0x00});
    out.bytes({0x01, 0xFF, 0x2F, 0x00});
    out.endChunk(second);

    result.bytes = out.take();
    return result;
}

}  // namespace qn
