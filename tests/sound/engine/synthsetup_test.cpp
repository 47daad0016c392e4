#include "sound/engine/synthsetup.h"

#include <gtest/gtest.h>

#include <cmath>

#include "enginetestsupport.h"
#include "model/notepreview.h"

namespace qn {
namespace {

using namespace enginetest;

TEST(SynthSetup, MasterVolumeScalesTheBaseGainByItsDecibels) {
    EXPECT_FLOAT_EQ(gainForVolume(0), kBaseGain);
    EXPECT_NEAR(20 * std::log10(gainForVolume(-3000) / kBaseGain), -30.0, 1e-4);
    EXPECT_FLOAT_EQ(gainForVolume(-99999), gainForVolume(kMinVolume));
    EXPECT_FLOAT_EQ(gainForVolume(99999), gainForVolume(kMaxVolume));
}

TEST(SynthSetup, TheEndTickIsTheLongestTracksEnd) {
    const struct {
        int tracks, notes;
        uint32_t end;
    } cases[] = {
        {0, 0, kEmptyTrackTicks},  // four empty chunks
        {1, 1, kEmptyTrackTicks},  // the empty ones are longer
        {4, 1, 24 + 40},
        {4, 7, 24 + 280},
    };
    for (const auto& k : cases) {
        auto c = composition(64, std::vector<Note>(k.notes, {5, 50, 2}), k.tracks);
        EXPECT_EQ(midiEndTick(midiOf(*c)), std::optional<uint32_t>(k.end));
    }
    // The preview: note off after 128 + 19 x 3 + 1 ticks, the end one tick later.
    EXPECT_EQ(midiEndTick(writenote(0, 12, 3, 4, 100).bytes),
              std::optional<uint32_t>(128 + 58 + 1));
}

TEST(SynthSetup, TheEndTickFollowsRunningStatusMetaAndSysExEvents) {
    const std::vector<uint8_t> file = {
        'M',  'T',  'h',  'd',  0,    0,    0, 6,  0,    0,    0,  1,
        0,    96,                                                        // format 0, one track
        'M',  'T',  'r',  'k',  0,    0,    0, 25, 0x00, 0x90, 60, 100,  // note on
        0x60, 62,   100,                     // 96 ticks later, running status
        0x81, 0x00, 0xF0, 2,    0x7E, 0xF7,  // 128 ticks later, sysex
        0x10, 0xC0, 5,                       // program change: one data byte
        0x00, 0xFF, 0x01, 1,    'x',         // text
        0x20, 0xFF, 0x2F, 0x00,              // end after 32 more
    };
    EXPECT_EQ(midiEndTick(file), std::optional<uint32_t>(96 + 128 + 16 + 32));
    std::vector<uint8_t> cut = file;
    cut[21] = 24;  // the chunk ends inside the end-of-track event
    cut.pop_back();
    EXPECT_FALSE(midiEndTick(cut));
}

}  // namespace
}  // namespace qn
