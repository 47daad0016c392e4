#include "sound/engine/synthsetup.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/notepreview.h"
#include "synthtestsupport.h"

namespace qn {
namespace {

using namespace synthtest;

TEST(SynthSetup, MasterVolumeScalesTheBaseGainByItsDecibels) {
    EXPECT_FLOAT_EQ(gainForVolume(0), kBaseGain);
    EXPECT_NEAR(gainForVolume(-2000), kBaseGain / 10, 1e-6);
    EXPECT_NEAR(20 * std::log10(gainForVolume(-3000) / kBaseGain), -30.0, 1e-4);
    EXPECT_FLOAT_EQ(gainForVolume(-99999), gainForVolume(kMinVolume));
    EXPECT_FLOAT_EQ(gainForVolume(99999), gainForVolume(kMaxVolume));
}

TEST(SynthSetup, RecognisesStandardMidiFiles) {
    auto c = composition(64, {{{12, 100, 3}}});
    const std::vector<uint8_t> song = midiOf(*c);
    EXPECT_TRUE(isStandardMidiFile(song));
    EXPECT_TRUE(isStandardMidiFile(writenote(0, 12, 3, 4, 100).bytes));

    std::vector<uint8_t> wrongMagic = song;
    wrongMagic[0] = 'X';
    std::vector<uint8_t> noDivision = song;
    noDivision[12] = noDivision[13] = 0;
    std::vector<uint8_t> moreTracks = song;
    moreTracks[11] += 1;  // announces a chunk that is not there
    std::vector<uint8_t> badFormat = song;
    badFormat[9] = 3;
    const std::vector<uint8_t> truncated(song.begin(), song.end() - 1);
    for (const auto& bytes : {wrongMagic, noDivision, moreTracks, badFormat, truncated,
                              std::vector<uint8_t>(song.begin(), song.begin() + 14)})
        EXPECT_FALSE(isStandardMidiFile(bytes));
}

TEST(SynthSetup, TheEndTickIsTheLongestTracksEnd) {
    const struct {
        std::vector<std::vector<NoteSpec>> tracks;
        uint32_t end;
    } cases[] = {
        {{}, kEmptyTrackTicks},                // four empty chunks
        {{{{12, 100, 3}}}, kEmptyTrackTicks},  // the empty ones are longer
        {{{{12, 100, 3}}, {{1, 9, 1}}, {{2, 9, 0}}, {{3, 9, 5}}}, 24 + 40},
        {std::vector<std::vector<NoteSpec>>(4, std::vector<NoteSpec>(7, {5, 50, 2})), 24 + 280},
    };
    for (const auto& k : cases) {
        auto c = composition(64, k.tracks);
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
