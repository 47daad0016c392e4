#include "jsondump.h"

#include <algorithm>
#include <cstdio>

namespace qn {

namespace {

void appendString(std::string& out, std::string_view text) {
    out += '"';
    for (const char ch : text) {
        switch (ch) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(ch) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", ch);
                    out += escaped;
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
}

void appendKey(std::string& out, std::string_view key) {
    appendString(out, key);
    out += ':';
}

}  // namespace

std::string compositionJson(const Composition& c, const EditState& e) {
    std::string out;
    out.reserve(4096 +
                size_t{16} * (c.NoteCount[0] + c.NoteCount[1] + c.NoteCount[2] + c.NoteCount[3]));
    out += '{';
    appendKey(out, "name");
    appendString(out, c.CompName);
    out += ',';
    appendKey(out, "docName");
    appendString(out, c.DocName);
    out += ',';
    appendKey(out, "author");
    appendString(out, c.CompositionAuthor);
    out += ',';
    appendKey(out, "copyright");
    appendString(out, c.CompositionCopyright);
    out += ',';
    appendKey(out, "division");
    out += std::to_string(c.Division);
    out += ',';

    appendKey(out, "effects");
    out += '[';
    bool first = true;
    for (Effect e : kEffects) {
        if (!c.effect(e)) continue;
        if (!first) out += ',';
        appendString(out, effectKeyword(e));
        first = false;
    }
    out += "],";
    appendKey(out, "bassClef");
    out += c.BassClef ? "true," : "false,";

    appendKey(out, "tracks");
    out += '[';
    for (int t = 0; t < kTrackCount; ++t) {
        if (t > 0) out += ',';
        out += "{\"instrument\":" + std::to_string(c.TrackInstrument[t]);
        out += ",\"octave\":" + std::to_string(c.TrackOctave[t]);
        out += ",\"notes\":[";
        for (int i = 0; i < c.NoteCount[t]; ++i) {
            if (i > 0) out += ',';
            const Note n = c.note(t, i);
            out += '[' + std::to_string(n.pitch) + ',' + std::to_string(n.velocity) + ',' +
                   std::to_string(n.length) + ']';
        }
        out += "]}";
    }
    out += "],";

    appendKey(out, "songLength");
    out += std::to_string(c.SongLength);
    out += ',';
    appendKey(out, "scrollPos");
    out += std::to_string(e.ScrollPos);
    out += ',';
    appendKey(out, "lyrics");
    out += '[';
    for (int i = 0; i < std::min(c.SongLength, kNoteSlots); ++i) {
        if (i > 0) out += ',';
        appendString(out, c.Lyrics[i]);
    }
    out += "]}\n";
    return out;
}

}  // namespace qn
