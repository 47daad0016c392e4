#include "sound/playback/piano.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "compositions.h"
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
    void reset() {
        c = Composition();
        log.clear();
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

// Every computer key of the piano, and what Shift makes of it on a US layout:
// Shift does not matter. The keypad's keys play nothing.
TEST(KeyToPianoKey, ComputerKeysPlayTheirPianoKeys) {
    using enum Qt::Key;
    // The computer keys of piano keys 0, 1, 2 ...; keys 14 and 25 have none.
    // clang-format off
    const std::vector<std::vector<int>> keysOf = {
        {Key_QuoteLeft, Key_AsciiTilde}, {Key_1, Key_Exclam},     {Key_2, Key_At},
        {Key_3, Key_NumberSign},         {Key_4, Key_Dollar},     {Key_5, Key_Percent},
        {Key_6, Key_AsciiCircum},        {Key_7, Key_Ampersand},  {Key_8, Key_Asterisk},
        {Key_9, Key_ParenLeft},          {Key_0, Key_ParenRight}, {Key_Minus, Key_Underscore},
        {Key_Equal, Key_Plus},           {Key_Backspace},         {},
        {Key_Escape},                    {Key_F1},                {Key_F2},
        {Key_F3},                        {Key_F4},                {Key_F5},
        {Key_F6},                        {Key_F7},                {Key_F8},
        {Key_F9},                        {},
    };
    // clang-format on
    for (int k = 0; k < kPianoKeys; ++k)
        for (const int key : keysOf[k])
            for (const auto modifiers : {Qt::NoModifier, Qt::ShiftModifier})
                EXPECT_EQ(KeyToPianoKey(key, modifiers), k) << "Qt key " << key;
    for (const int key : {Key_F10, Key_A, Key_Space, Key_BracketLeft})
        EXPECT_EQ(KeyToPianoKey(key), -1) << "Qt key " << key;
    for (const int key : {Key_1, Key_0, Key_Asterisk, Key_Minus, Key_Plus})
        EXPECT_EQ(KeyToPianoKey(key, Qt::KeypadModifier), -1) << "keypad key " << key;
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
        reset();
        test::fillTrack(c, 2, k.count);
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
        reset();
        piano.Piano_Click(k);
        EXPECT_EQ(c.note(0, 0), (Note{kRestPitch, 100, kRestLength}));
        EXPECT_EQ(log, (Log{"clear", "glyph 0 169 7 77"}));
    }
}

TEST_F(PianoTest, AFullTrackRefusesTheNoteButStillPlaysIt) {
    test::fillTrack(c, 0, kNoteSlots);
    piano.Piano_Click(1);
    EXPECT_EQ(c.NoteCount[0], kNoteSlots);
    EXPECT_FALSE(c.Modified);
    EXPECT_EQ(log, kHeard);
}

TEST_F(PianoTest, ComputerKeysLightWhileHeldAndPlayOnlyWhenTheClockStands) {
    struct Case {
        int key;
        bool clock;
        int litKey, notes;
        Log down, up;
    };
    // clang-format off
    const Case cases[] = {
        {Qt::Key_F1, false, 16, 1,
         Log{"key 16 16711680", "clear", "glyph 0 2 3 77"} + kHeard, {"key 16 0"}},
        {Qt::Key_Escape, false, 15, 1,
         {"key 15 16711680", "clear", "glyph 0 169 3 77"}, {"key 15 13628923"}},
        {Qt::Key_Exclam, true, 1, 0, {"key 1 16711680"}, {"key 1 13628923"}},
        {Qt::Key_F10, false, 7, 0, {}, {}},
    };
    // clang-format on
    for (const Case& k : cases) {
        SCOPED_TRACE(k.key);
        reset();
        lights.LitKey = 7;
        clockRunning = k.clock;
        piano.Piano_KeyDown(k.key);
        EXPECT_EQ(log, k.down);
        EXPECT_EQ(lights.LitKey, k.litKey);
        EXPECT_EQ(c.NoteCount[0], k.notes);
        log.clear();
        piano.Piano_KeyUp(k.key);
        EXPECT_EQ(log, k.up);
    }
    clockRunning = true;
    log.clear();
    piano.Piano_Click(4);  // the mouse is as mute as the keys while the clock runs
    EXPECT_TRUE(log.empty());
}

// A failure of the effects leaves the note dry but heard; a failed load plays nothing.
TEST_F(PianoTest, WithoutRecordingAKeyOnlyPlaysAndTheReviewNotePlaysLikeIt) {
    recordMode = false;
    effectsApply = false;
    piano.Piano_Click(3);
    engine.loadSucceeds = false;
    piano.Piano_Click(3);
    EXPECT_EQ(c.NoteCount[0], 0);
    EXPECT_FALSE(c.Modified);
    engine.loadSucceeds = true;
    edit.ActiveTrack = 3;
    c.TrackOctave[3] = 2;
    edit.DefaultVelocity = 64;
    edit.DefaultLength = kRestLength;  // the palette does not concern the review note
    EXPECT_TRUE(piano.PreviewInstrument(56));
    EXPECT_EQ(engine.bytes, previewBytes(56, 3, 2));
    engine.loadSucceeds = false;
    EXPECT_FALSE(piano.PreviewInstrument(56));
    EXPECT_EQ(log, kHeard + Log{"load"} + kHeard + Log{"load"});
}

TEST_F(PianoTest, TeachSwitchSetsTheModeAndMarksTheComposition) {
    for (const bool on : {true, false, true}) {
        c.Modified = false;
        on ? piano.TeachOn() : piano.TeachOff();
        EXPECT_TRUE(teachMode == on && c.Modified);
    }
}

}  // namespace
}  // namespace qn
