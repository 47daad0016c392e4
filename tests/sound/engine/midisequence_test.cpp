#include "sound/engine/midisequence.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "enginetestsupport.h"
#include "model/notepreview.h"

namespace qn {
namespace {

using namespace enginetest;

uint32_t endTickOf(const std::vector<uint8_t>& midi) {
    std::string error;
    const auto sequence = MidiSequence::parse(midi, kDefaultSampleRate, &error);
    EXPECT_TRUE(sequence) << error;
    return sequence ? sequence->endTick() : 0;
}

TEST(MidiSequence, TheEndIsTheLongestTracksEnd) {
    const struct {
        int tracks, notes;
        uint32_t end;
    } cases[] = {
        {0, 0, kEmptyTrackTicks},  // four empty chunks
        {1, 1, kEmptyTrackTicks},  // the empty ones are longer
        {4, 1, 24 + 40},
        {4, 7, 24 + 280},
    };
    for (const auto& k : cases)
        EXPECT_EQ(
            endTickOf(midiOf(*composition(64, std::vector<Note>(k.notes, {5, 50, 2}), k.tracks))),
            k.end);
    // The preview: note off after 128 + 19 x 3 + 1 ticks, the end one tick later.
    EXPECT_EQ(endTickOf(writenote(0, 12, 3, 4, 100).bytes), 128u + 58 + 1);
}

// Format 1: the second track's tempo change (twice as fast from tick 96) times
// the first track's events; running status, system exclusive and meta events.
TEST(MidiSequence, EventsFollowTheTempoOfAnyTrackAcrossRunningStatusMetaAndSysEx) {
    const std::vector<uint8_t> file = {
        'M',  'T',  'h',  'd',  0,    0,    0,    6,  0, 1, 0,
        2,    0,    96,   'M',  'T',  'r',  'k',  0,  0, 0, 25,  //
        0x00, 0x90, 60,   100,                                   // note on
        0x60, 62,   100,                                         // 96 ticks, running status
        0x81, 0x00, 0xF0, 2,    0x7E, 0xF7,                      // 128 ticks, sysex
        0x10, 0xC0, 5,                                           // program change
        0x00, 0xFF, 0x01, 1,    'x',                             // text
        0x20, 0xFF, 0x2F, 0x00,                                  // end after 32 more
        'M',  'T',  'r',  'k',  0,    0,    0,    11,            //
        0x60, 0xFF, 0x51, 3,    0x03, 0xD0, 0x90,                // 250 000 us per quarter
        0x00, 0xFF, 0x2F, 0x00,
    };
    std::string error;
    const auto sequence = MidiSequence::parse(file, 48000, &error);
    ASSERT_TRUE(sequence) << error;
    // 0.5 s to tick 96, then 1/384 s per tick.
    const std::vector<std::pair<int64_t, uint8_t>> expected = {
        {0, 0x90}, {24000, 0x90}, {24000 + 16000 + 2000, 0xC0}};
    ASSERT_EQ(sequence->events().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(sequence->events()[i].frame, expected[i].first) << i;
        EXPECT_EQ(sequence->events()[i].status, expected[i].second) << i;
    }
    EXPECT_EQ(sequence->events()[1].data1, 62);
    EXPECT_EQ(sequence->endTick(), 96u + 128 + 16 + 32);
    EXPECT_EQ(sequence->endFrame(), 24000 + 16000 + 2000 + 4000);
    // The first note plays the reset state's piano before the program change.
    EXPECT_EQ(sequence->presets(), (std::vector<PresetRef>{{0, 0}, {0, 5}}));

    std::vector<uint8_t> cut = file;
    cut[21] = 24;  // the chunk ends inside the end-of-track event
    EXPECT_FALSE(MidiSequence::parse(cut, 48000, &error));
    EXPECT_FALSE(error.empty());
}

// Events at equal ticks keep the order of their tracks, whichever track was
// being read: on one channel a note-off and a note-on of the same key must not swap.
TEST(MidiSequence, EqualTicksKeepTheTracksOrder) {
    const std::vector<std::vector<std::vector<uint8_t>>> cases = {
        {{0, 10}, {5, 10}},             // the second track reaches tick 10 first
        {{10, 10, 20}, {0, 10}, {10}},  // three at tick 10, one track twice
        {{7}, {0, 7, 7}},
    };
    for (const auto& ticks : cases) {
        std::vector<uint8_t> file = {
            'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, static_cast<uint8_t>(ticks.size()), 0, 96};
        std::vector<std::pair<uint8_t, uint8_t>> expected;  // (tick, key)
        for (size_t t = 0; t < ticks.size(); ++t) {
            std::vector<uint8_t> track;
            uint8_t at = 0;
            for (size_t n = 0; n < ticks[t].size(); ++n) {
                const auto key = static_cast<uint8_t>(16 * t + n);
                track.insert(track.end(), {static_cast<uint8_t>(ticks[t][n] - at), 0x90, key, 1});
                at = ticks[t][n];
                expected.push_back({at, key});
            }
            file.insert(file.end(),
                        {'M', 'T', 'r', 'k', 0, 0, 0, static_cast<uint8_t>(track.size())});
            file.insert(file.end(), track.begin(), track.end());
        }
        std::stable_sort(expected.begin(), expected.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::string error;
        const auto sequence = MidiSequence::parse(file, 9600, &error);
        ASSERT_TRUE(sequence) << error;
        ASSERT_EQ(sequence->events().size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(sequence->events()[i].data1, expected[i].second) << i;
    }
}

}  // namespace
}  // namespace qn
