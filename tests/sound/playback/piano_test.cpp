#include "sound/playback/piano.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "fakeengine.h"
#include "model/notepreview.h"

namespace qn {
namespace {

using Log = std::vector<std::string>;

std::string entry(std::string text, std::initializer_list<int64_t> values) {
    for (int64_t v : values)
        text.append(" ").append(std::to_string(v));
    return text;
}

// The window writes what reaches it into the synthesiser's log, so the order shows.
class FakeDisplay : public PianoDisplay {
  public:
    FakeDisplay(Log& log, EditState& edit) : m_log(log), m_edit(edit) {}
    void DrawNoteGlyph(int slot, int pitch, int length, int velocity) override {
        m_log.push_back(entry("glyph", {slot, pitch, length, velocity}));
    }
    void RedrawStaff() override { m_log.push_back("redraw"); }
    void UpdateSlider() override { m_log.push_back("slider"); }
    void ClearSelectionDisplay() override {
        m_log.push_back("clear");
        m_edit.clearSelection();
    }
    int noteVolume() const override { return 77; }  // differs from DefaultVelocity on purpose
    void setKeyColor(int k, uint32_t rgb) override { m_log.push_back(entry("key", {k, rgb})); }

  private:
    Log& m_log;
    EditState& m_edit;
};

const Log kHeard = {"load", "FX", "play"};

Log operator+(Log a, const Log& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class PianoTest : public ::testing::Test {
  protected:
    PianoTest() {
        engine.log = &log;
        piano.hooks() = {[this] { return clockRunning; }, [this] { return recordMode; },
                         [this] {
                             log.push_back("FX");
                             return effectsApply;
                         },
                         [this](bool on) { teachMode = on; }};
    }
    std::vector<uint8_t> previewBytes(int instrument, int pitch, int length) const {
        const int octave = c.TrackOctave[edit.ActiveTrack];
        return writenote(instrument, pitch, length, octave, edit.DefaultVelocity).bytes;
    }
    void fill(int track, int count) {
        for (int i = 0; i < count; ++i)
            c.setNote(track, i, {5, 100, 3});
        c.NoteCount[track] = static_cast<int16_t>(count);
    }

    Log log;
    Composition c;
    EditState edit;
    test::FakeEngine engine;
    PianoLights lights;
    FakeDisplay display{log, edit};
    Piano piano{c, edit, engine, lights, display};
    bool clockRunning = false;
    bool recordMode = true;
    bool effectsApply = true;
    bool teachMode = false;
};

TEST(KeyToPianoKey, ComputerKeysPlayTheirPianoKeys) {
    const std::pair<int, int> cases[] = {
        {192, 0},  {49, 1},   {57, 9},   {48, 10}, {189, 11}, {187, 12}, {8, 13},   {27, 15},
        {112, 16}, {120, 24}, {121, -1}, {96, -1}, {105, -1}, {65, -1},  {111, -1}, {-1, -1}};
    for (const auto& [code, key] : cases)
        EXPECT_EQ(KeyToPianoKey(code), key) << "key code " << code;
}

TEST_F(PianoTest, EveryKeyEntersAndPlaysItsPitch) {
    const int pitches[kPianoKeys] = {0,  1,  3,   5, 6, 8, 10, 12, 13, 15, 17, 18, 20,
                                     22, 24, 169, 2, 4, 7, 9,  11, 14, 16, 19, 21, 23};
    edit.ActiveTrack = 1;
    c.TrackInstrument[1] = 40;
    c.TrackOctave[1] = 6;
    edit.DefaultVelocity = 90;
    edit.DefaultLength = 4;
    for (int k = 0; k < kPianoKeys; ++k) {
        SCOPED_TRACE(k);
        const int loads = engine.loads;
        piano.Piano_Click(k);
        EXPECT_EQ(c.note(1, k), (Note{static_cast<int16_t>(pitches[k]), 90, 4}));
        // Rests are never heard.
        EXPECT_EQ(engine.loads - loads, k == kPauseKey ? 0 : 1);
        if (k != kPauseKey) {
            EXPECT_EQ(engine.bytes, previewBytes(40, pitches[k], 4));
        }
    }
    EXPECT_EQ(c.NoteCount[1], kPianoKeys);
    EXPECT_EQ(c.NoteCount[0], 0);
}

TEST_F(PianoTest, RecordEntryScrollsToShowTheNewNote) {
    struct Case {
        int count, scrollBefore, scrollAfter;
        Log shown;
    };
    const Case cases[] = {
        {0, 0, 0, {"clear", "glyph 40 12 3 77"}},
        {19, 0, 0, {"clear", "glyph 59 12 3 77"}},
        {20, 0, 10, {"clear", "redraw", "slider", "glyph 50 12 3 77"}},
        {30, 5, 20, {"clear", "redraw", "slider", "glyph 50 12 3 77"}},
        {3, 8, 3, {"clear", "redraw", "glyph 40 12 3 77"}},
        {10000, 0, 9990, {"clear", "redraw", "slider", "glyph 50 12 3 77"}},
    };
    edit.ActiveTrack = 2;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.count);
        c = Composition();
        log.clear();
        fill(2, k.count);
        edit.ScrollPos = k.scrollBefore;
        edit.SelActive = true;
        piano.Piano_Click(7);
        EXPECT_EQ(edit.ScrollPos, k.scrollAfter);
        EXPECT_EQ(log, k.shown + kHeard);
        EXPECT_EQ(c.NoteCount[2], k.count + 1);
        EXPECT_EQ(c.note(2, k.count), (Note{12, 100, 3}));
        EXPECT_TRUE(c.Modified);
        EXPECT_FALSE(edit.SelActive);
    }
}

TEST_F(PianoTest, RestLengthTurnsEveryKeyIntoASilentRest) {
    edit.DefaultLength = kRestLength;
    for (int k : {0, 9, 16, 25}) {
        c = Composition();
        log.clear();
        piano.Piano_Click(k);
        EXPECT_EQ(c.note(0, 0), (Note{kRestPitch, 100, kRestLength}));
        EXPECT_EQ(log, (Log{"clear", "glyph 0 169 7 77"}));
    }
}

TEST_F(PianoTest, WithoutRecordingAKeyOnlyPlaysDryIfEffectsFailAndNotIfLoadingFails) {
    recordMode = false;
    for (const bool modified : {false, true}) {
        c.Modified = modified;
        log.clear();
        piano.Piano_Click(3);
        EXPECT_EQ(c.NoteCount[0], 0);
        EXPECT_EQ(c.Modified, modified);
        EXPECT_EQ(log, kHeard);
    }
    log.clear();
    effectsApply = false;
    piano.Piano_Click(0);
    engine.loadSucceeds = false;
    piano.Piano_Click(0);
    EXPECT_EQ(log, kHeard + Log{"load"});
}

TEST_F(PianoTest, AFullTrackRefusesTheNoteButStillPlaysIt) {
    fill(0, kNoteSlots);
    piano.Piano_Click(1);
    EXPECT_EQ(c.NoteCount[0], kNoteSlots);
    EXPECT_FALSE(c.Modified);
    EXPECT_EQ(log, kHeard);
}

TEST_F(PianoTest, ComputerKeysLightWhileHeldAndPlayOnlyWhenTheClockStands) {
    struct Case {
        int code;
        bool clock;
        int litKey, notes;
        Log down, up;
    };
    const Case cases[] = {
        {112,
         false,
         16,
         1,
         Log{"key 16 16711680", "clear", "glyph 0 2 3 77"} + kHeard,
         {"key 16 0"}},
        {27, false, 15, 1, {"key 15 16711680", "clear", "glyph 0 169 3 77"}, {"key 15 13628923"}},
        {49, true, 1, 0, {"key 1 16711680"}, {"key 1 13628923"}},
        {121, false, 7, 0, {}, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.code);
        c = Composition();
        log.clear();
        lights.LitKey = 7;
        clockRunning = k.clock;
        piano.Piano_KeyDown(k.code);
        EXPECT_EQ(log, k.down);
        EXPECT_EQ(lights.LitKey, k.litKey);
        EXPECT_EQ(c.NoteCount[0], k.notes);
        log.clear();
        piano.Piano_KeyUp(k.code);
        EXPECT_EQ(log, k.up);
    }
    clockRunning = true;
    log.clear();
    piano.Piano_Click(4);  // the mouse is as mute as the keys while the clock runs
    EXPECT_TRUE(log.empty());
}

TEST_F(PianoTest, PreviewInstrumentPlaysTheReviewNote) {
    edit.ActiveTrack = 3;
    c.TrackOctave[3] = 2;
    edit.DefaultVelocity = 64;
    edit.DefaultLength = kRestLength;  // the palette does not concern the review note
    EXPECT_TRUE(piano.PreviewInstrument(56));
    EXPECT_EQ(engine.bytes, previewBytes(56, 3, 2));
    EXPECT_EQ(log, kHeard);
    engine.loadSucceeds = false;
    EXPECT_FALSE(piano.PreviewInstrument(56));
    EXPECT_EQ(c.NoteCount[3], 0);
}

TEST_F(PianoTest, TeachSwitchSetsTheModeAndMarksTheComposition) {
    for (const bool on : {true, false, true}) {
        c.Modified = false;
        on ? piano.TeachOn() : piano.TeachOff();
        EXPECT_EQ(teachMode, on);
        EXPECT_TRUE(c.Modified);
    }
}

}  // namespace
}  // namespace qn
