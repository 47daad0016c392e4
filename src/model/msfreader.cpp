#include "msfreader.h"

#include <cstdio>

#include "numbertext.h"
#include "textencoding.h"

namespace qn {

namespace {

// Splits the text into lines ending in CR LF, LF or a lone CR.
class LineSource {
  public:
    explicit LineSource(std::string_view text) : m_text(text) {}

    bool next(std::string_view& line) {
        if (m_pos >= m_text.size()) return false;
        size_t end = m_pos;
        while (end < m_text.size() && m_text[end] != '\r' && m_text[end] != '\n')
            ++end;
        line = m_text.substr(m_pos, end - m_pos);
        if (end < m_text.size()) {
            const bool cr = m_text[end++] == '\r';
            if (cr && end < m_text.size() && m_text[end] == '\n') ++end;
        }
        m_pos = end;
        ++m_number;
        return true;
    }
    int number() const { return m_number; }

  private:
    std::string_view m_text;
    size_t m_pos = 0;
    int m_number = 0;
};

char upper(char ch) {
    return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
}

bool equalsKeyword(std::string_view text, std::string_view keyword) {
    if (text.size() != keyword.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (upper(text[i]) != keyword[i]) return false;
    return true;
}

bool startsWithKeyword(std::string_view line, std::string_view keyword) {
    return line.size() >= keyword.size() && equalsKeyword(line.substr(0, keyword.size()), keyword);
}

std::string_view lastChars(std::string_view line, size_t n) {
    return line.size() <= n ? line : line.substr(line.size() - n);
}

std::string shown(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.10g", value);
    return buffer;
}

// A whole-number field: the value as the 16-bit variable holding it would
// store it, or nothing when it falls outside lo..hi.
std::optional<int> wholeInRange(double value, int lo, int hi) {
    const long long whole = roundHalfEven(value);
    if (whole < lo || whole > hi) return std::nullopt;
    return static_cast<int>(whole);
}

class Reader {
  public:
    Reader(std::string_view text, Composition& c) : m_lines(text), m_c(c) {}

    std::optional<MsfError> run() {
        std::string_view line;
        while (m_lines.next(line)) {
            if (auto error = applyRules(line)) return error;
        }
        return std::nullopt;
    }

  private:
    std::optional<MsfError> fail(std::string message) const {
        return MsfError{m_lines.number(), std::move(message)};
    }

    std::optional<MsfError> applyRules(std::string_view line) {
        if (startsWithKeyword(line, "COMPOSITIONNAME")) {
            m_c.DocName = toUtf8(line.substr(15));
            m_c.CompName = m_c.DocName;
        }
        for (Effect e : kEffects)
            if (equalsKeyword(line, effectKeyword(e))) m_c.Effects[effectIndex(e)] = true;
        if (equalsKeyword(line, "BASSCLEF")) m_c.BassClef = true;
        if (startsWithKeyword(line, "COMPOSITIONCOPYRIGHT"))
            m_c.CompositionCopyright = toUtf8(line.substr(20));
        if (startsWithKeyword(line, "COMPOSITIONAUTHOR"))
            m_c.CompositionAuthor = toUtf8(line.substr(17));
        if (startsWithKeyword(line, "DIVISION")) {
            const double value = leadingNumber(lastChars(line, 3));
            const auto division = wholeInRange(value, kMinDivision, kMaxDivision);
            if (!division) return fail("division " + shown(value) + " is not 16 to 127");
            m_c.Division = *division;
        }
        if (startsWithKeyword(line, "TRACK")) {
            const double value = leadingNumber(lastChars(line, 2));
            const auto track = wholeInRange(value, 0, kTrackCount - 1);
            if (!track) return fail("track number " + shown(value) + " is not 0 to 3");
            m_track = *track;
            m_c.NoteCount[m_track] = 0;
        }
        if (startsWithKeyword(line, "INST")) {
            if (m_track < 0) return fail("INST comes before any TRACK line");
            const double value = leadingNumber(line.substr(std::min<size_t>(5, line.size())));
            const auto instrument = wholeInRange(value, 0, 127);
            if (!instrument) return fail("instrument " + shown(value) + " is not 0 to 127");
            m_c.TrackInstrument[m_track] = static_cast<int16_t>(*instrument);
        }
        if (startsWithKeyword(line, "OCTAVE")) {
            if (m_track < 0) return fail("OCTAVE comes before any TRACK line");
            // One character, so always a single digit 0..9.
            m_c.TrackOctave[m_track] = static_cast<int16_t>(leadingNumber(lastChars(line, 1)));
        }
        if (m_track >= 0 && line.find(',') != std::string_view::npos) {
            if (auto error = readNote(line)) return error;
        }
        if (equalsKeyword(line, "LYRICS")) return readLyrics();
        return std::nullopt;
    }

    std::optional<MsfError> readNote(std::string_view line) {
        const size_t comma1 = line.find(',');
        const size_t comma2 = line.find(',', comma1 + 1);
        const std::string_view pitchText = line.substr(0, comma1);
        const std::string_view velocityText = comma2 == std::string_view::npos
                                                  ? line.substr(comma1 + 1)
                                                  : line.substr(comma1 + 1, comma2 - comma1 - 1);
        const std::string_view lengthText =
            comma2 == std::string_view::npos ? std::string_view{} : line.substr(comma2 + 1);

        const double pitchValue = leadingNumber(pitchText);
        const auto pitch = wholeInRange(pitchValue, 0, kRestPitch);
        if (!pitch || !isStorablePitch(*pitch))
            return fail("pitch " + shown(pitchValue) + " is not 0 to 24 or 169 (a rest)");
        const double velocityValue = leadingNumber(velocityText);
        const auto velocity = wholeInRange(velocityValue, 0, kMaxVelocity);
        if (!velocity) return fail("velocity " + shown(velocityValue) + " is not 0 to 127");
        const double lengthValue = leadingNumber(lengthText);
        const auto length = wholeInRange(lengthValue, 0, kMaxLengthCode);
        if (!length) return fail("duration code " + shown(lengthValue) + " is not 0 to 7");

        const int index = m_c.NoteCount[m_track];
        if (index >= kNoteSlots)
            return fail("track " + std::to_string(m_track) + " has more than 10001 notes");
        m_c.setNote(m_track, index,
                    Note{static_cast<int16_t>(*pitch), static_cast<uint8_t>(*velocity),
                         static_cast<uint8_t>(*length)});
        m_c.NoteCount[m_track] = static_cast<int16_t>(index + 1);
        return std::nullopt;
    }

    // The count line and the lyric lines that follow are taken as they stand,
    // without the rules. A file that ends early keeps the lyrics it has.
    std::optional<MsfError> readLyrics() {
        std::string_view line;
        if (!m_lines.next(line)) return std::nullopt;
        // Rounded like every other number of the file, before the range check.
        const long long count = roundHalfEven(leadingNumber(line));
        if (count > kNoteSlots)
            return fail("more than 10001 lyric lines (" + std::to_string(count) + ")");
        m_c.SongLength = count < 0 ? 0 : static_cast<int>(count);
        for (int i = 0; i < m_c.SongLength && m_lines.next(line); ++i)
            m_c.Lyrics[i] = toUtf8(line);
        return std::nullopt;
    }

    LineSource m_lines;
    Composition& m_c;
    int m_track = -1;  // no TRACK line read yet
};

}  // namespace

std::optional<MsfError> readMsf(std::string_view text, Composition& c) {
    return Reader(text, c).run();
}

}  // namespace qn
