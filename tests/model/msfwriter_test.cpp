#include "model/msfwriter.h"

#include <gtest/gtest.h>

#include "modeltestsupport.h"

namespace qn {
namespace {

// The lines of the text, "|" standing for the CR LF at the end of each.
std::string lines(std::string_view text) {
    std::string out;
    for (const char ch : text)
        out += ch == '|' ? std::string("\r\n") : std::string(1, ch);
    return out;
}

TEST(WriteMsf, NewCompositionSavedAsAMsf) {
    EXPECT_EQ(writeMsf(Composition(), "a.msf"),
              lines("COMPOSITIONNAMEa.msf|COMPOSITIONCOPYRIGHT(c)2010|COMPOSITIONAUTHOROstervald|"
                    "DIVISION 64|TRACK 0|INST 0|OCTAVE 4|TRACK 1|INST 25|OCTAVE 4|TRACK 2|INST 18|"
                    "OCTAVE 4|TRACK 3|INST 118|OCTAVE 4|LYRICS| 0|"));
}

TEST(WriteMsf, WritesEffectsBassClefNotesRestsAndLyricsOfTheLongestTrack) {
    Composition c;
    c.CompositionCopyright = "(c)1999,\r\nme";  // a line break would end the line early
    c.CompositionAuthor = "";
    c.Division = 120;
    c.Effects.fill(true);
    c.BassClef = true;
    c.TrackInstrument = {0, 1, 2, 127};
    c.TrackOctave = {0, 9, 4, 4};
    test::appendNote(c, 1, {12, 100, 3});
    test::appendNote(c, 1, {kRestPitch, 100, 7});
    test::appendNote(c, 1, {0, 0, 0});
    test::appendNote(c, 3, {24, 127, 5});
    c.Lyrics[0] = "la,\nla";
    c.Lyrics[2] = "TRACK 3";
    c.Lyrics[3] = "beyond the longest track";
    c.SongLength = 0;  // stale: the writer counts the notes itself
    EXPECT_EQ(writeMsf(c, "b c.msf"),
              lines("COMPOSITIONNAMEb c.msf|COMPOSITIONCOPYRIGHT(c)1999,  me|COMPOSITIONAUTHOR|"
                    "DIVISION 120|DISTORTION|ECHO|CHORUS|FLANGER|COMPRESSOR|GARGLE|PARA|REVERB|"
                    "BASSCLEF|TRACK 0|INST 0|OCTAVE 0|TRACK 1|INST 1|OCTAVE 9|"
                    " 12, 100, 3| 169, 100, 7| 0, 0, 0|TRACK 2|INST 2|OCTAVE 4|"
                    "TRACK 3|INST 127|OCTAVE 4| 24, 127, 5|LYRICS| 3|la, la||TRACK 3|"));
}

}  // namespace
}  // namespace qn
