#include "msfwriter.h"

#include <algorithm>

#include "numbertext.h"

namespace qn {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A text must stay on its one line, whatever the user typed into it.
void appendText(std::string& out, std::string_view text) {
    for (const char ch : text)
        out += (ch == '\r' || ch == '\n') ? ' ' : ch;
}

void appendLine(std::string& out, std::string_view keyword, std::string_view text = {}) {
    out += keyword;
    appendText(out, text);
    out += kLineEnd;
}

void appendNumberLine(std::string& out, std::string_view keyword, long long value) {
    out += keyword;
    out += numberText(value);
    out += kLineEnd;
}

}  // namespace

std::string writeMsf(const Composition& c, std::string_view docName) {
    int songLength = 0;
    for (int t = 0; t < kTrackCount; ++t)
        songLength = std::max<int>(songLength, c.NoteCount[t]);

    std::string out;
    size_t lyricBytes = 0;
    for (int i = 0; i < songLength; ++i)
        lyricBytes += c.Lyrics[i].size() + 2;
    out.reserve(512 + lyricBytes +
                size_t{18} * (c.NoteCount[0] + c.NoteCount[1] + c.NoteCount[2] + c.NoteCount[3]));

    appendLine(out, "COMPOSITIONNAME", docName);
    appendLine(out, "COMPOSITIONCOPYRIGHT", c.CompositionCopyright);
    appendLine(out, "COMPOSITIONAUTHOR", c.CompositionAuthor);
    appendNumberLine(out, "DIVISION", c.Division);
    for (Effect e : kEffects)
        if (c.effect(e)) appendLine(out, effectKeyword(e));
    if (c.BassClef) appendLine(out, "BASSCLEF");

    for (int t = 0; t < kTrackCount; ++t) {
        appendNumberLine(out, "TRACK", t);
        appendNumberLine(out, "INST", c.TrackInstrument[t]);
        appendNumberLine(out, "OCTAVE", c.TrackOctave[t]);
        for (int i = 0; i < c.NoteCount[t]; ++i) {
            out += numberText(c.NotePitch[t][i]);
            out += ',';
            out += numberText(c.NoteVelocity[t][i]);
            out += ',';
            out += numberText(c.NoteLength[t][i]);
            out += kLineEnd;
        }
    }

    appendLine(out, "LYRICS");
    appendNumberLine(out, "", songLength);
    for (int i = 0; i < songLength; ++i)
        appendLine(out, "", c.Lyrics[i]);
    return out;
}

}  // namespace qn
