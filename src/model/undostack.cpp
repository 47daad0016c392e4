#include "undostack.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <tuple>
#include <type_traits>

namespace qn {

namespace {

// The values beside the note tables: small enough to keep whole in every step.
struct Values {
    std::array<int16_t, kTrackCount> NoteCount{};
    std::array<int16_t, kTrackCount> TrackInstrument{};
    std::array<int16_t, kTrackCount> TrackOctave{};
    int Division = 0;
    std::string CompName;
    std::string CompositionAuthor;
    std::string CompositionCopyright;
    std::array<bool, kEffectCount> Effects{};
    bool BassClef = false;

    static Values of(const Composition& c) {
        return {c.NoteCount,         c.TrackInstrument,      c.TrackOctave, c.Division, c.CompName,
                c.CompositionAuthor, c.CompositionCopyright, c.Effects,     c.BassClef};
    }
    void applyTo(Composition& c) const {
        c.NoteCount = NoteCount;
        c.TrackInstrument = TrackInstrument;
        c.TrackOctave = TrackOctave;
        c.Division = Division;
        c.CompName = CompName;
        c.CompositionAuthor = CompositionAuthor;
        c.CompositionCopyright = CompositionCopyright;
        c.Effects = Effects;
        c.BassClef = BassClef;
    }
    bool operator==(const Values&) const = default;
};

enum Field : unsigned {
    kCounts = 1u << 0,
    kInstruments = 1u << 1,
    kOctaves = 1u << 2,
    kDivision = 1u << 3,
    kTexts = 1u << 4,
    kEffects = 1u << 5,
    kBassClef = 1u << 6,
    kPitches = 1u << 7,
    kVelocities = 1u << 8,
    kLengths = 1u << 9,
    kLyrics = 1u << 10,
};

unsigned changedValues(const Values& a, const Values& b) {
    unsigned fields = 0;
    if (a.NoteCount != b.NoteCount) fields |= kCounts;
    if (a.TrackInstrument != b.TrackInstrument) fields |= kInstruments;
    if (a.TrackOctave != b.TrackOctave) fields |= kOctaves;
    if (a.Division != b.Division) fields |= kDivision;
    if (std::tie(a.CompName, a.CompositionAuthor, a.CompositionCopyright) !=
        std::tie(b.CompName, b.CompositionAuthor, b.CompositionCopyright))
        fields |= kTexts;
    if (a.Effects != b.Effects) fields |= kEffects;
    if (a.BassClef != b.BassClef) fields |= kBassClef;
    return fields;
}

// Tables are numbered: pitches 0..3, velocities 4..7, lengths 8..11 (by track), lyrics 12.
constexpr int kVelocityTables = kTrackCount;
constexpr int kLengthTables = 2 * kTrackCount;
constexpr int kLyricsTable = 3 * kTrackCount;

// The run of one table from its first to its last changed element.
template <typename T>
struct Span {
    int table = 0;
    int first = 0;
    std::vector<T> before;
    std::vector<T> after;

    bool samePlace(const Span& o) const {
        return table == o.table && first == o.first && before.size() == o.before.size();
    }
};

template <typename T>
void addSpan(std::vector<Span<T>>& spans, int table, const std::vector<T>& before,
             const std::vector<T>& after) {
    // Most tables are unchanged, and comparing their memory whole is many times faster.
    if constexpr (std::is_trivially_copyable_v<T>) {
        if (std::memcmp(before.data(), after.data(), before.size() * sizeof(T)) == 0) return;
    }
    const auto [b, a] = std::mismatch(before.begin(), before.end(), after.begin());
    if (b == before.end()) return;
    const auto first = b - before.begin();
    auto last = static_cast<std::ptrdiff_t>(before.size());
    while (last > first && before[last - 1] == after[last - 1])
        --last;
    spans.push_back({table, static_cast<int>(first),
                     std::vector<T>(before.begin() + first, before.begin() + last),
                     std::vector<T>(after.begin() + first, after.begin() + last)});
}

template <typename T>
void put(std::vector<T>& table, const Span<T>& span, bool forward) {
    const std::vector<T>& values = forward ? span.after : span.before;
    std::copy(values.begin(), values.end(), table.begin() + span.first);
}

template <typename T>
bool samePlaces(const std::vector<Span<T>>& a, const std::vector<Span<T>>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const Span<T>& x, const Span<T>& y) { return x.samePlace(y); });
}

template <typename T>
size_t bytesOf(const std::vector<Span<T>>& spans) {
    size_t bytes = 0;
    for (const Span<T>& s : spans) {
        bytes += sizeof(Span<T>) + 2 * s.before.size() * sizeof(T);
        if constexpr (std::is_same_v<T, std::string>) {
            for (const std::string& text : s.before)
                bytes += text.capacity();
            for (const std::string& text : s.after)
                bytes += text.capacity();
        }
    }
    return bytes;
}

}  // namespace

ViewState ViewState::of(const EditState& e) {
    return {e.ActiveTrack, e.ScrollPos, e.SelActive, e.SelTrackFrom,
            e.SelTrackTo,  e.SelStart,  e.SelEnd};
}

void ViewState::applyTo(EditState& e) const {
    e.ActiveTrack = ActiveTrack;
    e.ScrollPos = ScrollPos;
    e.SelActive = SelActive;
    e.SelTrackFrom = SelTrackFrom;
    e.SelTrackTo = SelTrackTo;
    e.SelStart = SelStart;
    e.SelEnd = SelEnd;
}

struct UndoStack::Step {
    std::string label;
    bool joinable = false;  // named after what it changed, so a like step may join it
    Values before;
    Values after;
    std::vector<Span<int16_t>> pitches;
    std::vector<Span<uint8_t>> bytes;  // velocities and lengths
    std::vector<Span<std::string>> lyrics;
    ViewState viewBefore;
    ViewState viewAfter;
    size_t size = 0;

    unsigned fields() const {
        unsigned f = changedValues(before, after);
        if (!pitches.empty()) f |= kPitches;
        for (const auto& s : bytes)
            f |= s.table < kLengthTables ? kVelocities : kLengths;
        if (!lyrics.empty()) f |= kLyrics;
        return f;
    }
    bool samePlaces(const Step& o) const {
        return fields() == o.fields() && qn::samePlaces(pitches, o.pitches) &&
               qn::samePlaces(bytes, o.bytes) && qn::samePlaces(lyrics, o.lyrics);
    }
    bool changesNothing() const {
        const auto same = [](const auto& spans) {
            return std::all_of(spans.begin(), spans.end(),
                               [](const auto& s) { return s.before == s.after; });
        };
        return before == after && same(pitches) && same(bytes) && same(lyrics);
    }
};

namespace {

// The name of a step after what it changed.
std::string nameOf(unsigned fields) {
    if (fields & kCounts) return "Notes";
    switch (fields) {
        case kPitches:
            return "Note Pitch";
        case kVelocities:
            return "Note Volume";
        case kLengths:
        case kLengths | kPitches:  // a rest duration makes its notes rests
            return "Note Duration";
        case kLyrics:
            return "Lyrics";
        case kInstruments:
            return "Instrument";
        case kOctaves:
            return "Octave";
        case kDivision:
            return "Tempo";
        case kTexts:
            return "Options";
        case kEffects:
            return "Effects";
        case kBassClef:
            return "Bass Clef";
        default:
            return "Edit";
    }
}

}  // namespace

UndoStack::UndoStack() : m_shadow(std::make_unique<Composition>()) {}

UndoStack::~UndoStack() = default;

void UndoStack::reset(const Composition& c, bool clean) {
    *m_shadow = c;
    m_steps.clear();
    m_applied = 0;
    m_bytes = 0;
    m_clean = clean ? std::optional<size_t>(0) : std::nullopt;
}

std::optional<UndoStack::Step> UndoStack::difference(const Composition& c) const {
    Step step;
    step.before = Values::of(*m_shadow);
    step.after = Values::of(c);
    for (int t = 0; t < kTrackCount; ++t) {
        addSpan(step.pitches, t, m_shadow->NotePitch[t], c.NotePitch[t]);
        addSpan(step.bytes, kVelocityTables + t, m_shadow->NoteVelocity[t], c.NoteVelocity[t]);
        addSpan(step.bytes, kLengthTables + t, m_shadow->NoteLength[t], c.NoteLength[t]);
    }
    addSpan(step.lyrics, kLyricsTable, m_shadow->Lyrics, c.Lyrics);
    if (step.before == step.after && step.pitches.empty() && step.bytes.empty() &&
        step.lyrics.empty())
        return std::nullopt;
    step.size = sizeof(Step) + bytesOf(step.pitches) + bytesOf(step.bytes) + bytesOf(step.lyrics);
    return step;
}

bool UndoStack::commit(const Composition& c, std::string label, const ViewState& before,
                       const ViewState& after) {
    std::optional<Step> step = difference(c);
    if (!step) return false;
    step->joinable = label.empty();
    step->label = label.empty() ? nameOf(step->fields()) : std::move(label);
    step->viewBefore = before;
    step->viewAfter = after;
    apply(*step, true, *m_shadow);

    // What could be redone is gone; so is the saved state if it was there.
    for (size_t k = m_applied; k < m_steps.size(); ++k)
        m_bytes -= m_steps[k].size;
    m_steps.resize(m_applied);
    if (m_clean && *m_clean > m_applied) m_clean.reset();

    if (!m_steps.empty() && step->joinable && m_steps.back().joinable &&
        m_steps.back().label == step->label && !isClean() && m_steps.back().samePlaces(*step)) {
        Step& last = m_steps.back();
        last.after = step->after;
        last.viewAfter = step->viewAfter;
        const auto takeAfter = [](auto& into, const auto& from) {
            for (size_t k = 0; k < into.size(); ++k)
                into[k].after = from[k].after;
        };
        takeAfter(last.pitches, step->pitches);
        takeAfter(last.bytes, step->bytes);
        takeAfter(last.lyrics, step->lyrics);
        if (last.changesNothing()) {
            m_bytes -= last.size;
            m_steps.pop_back();
            --m_applied;
        }
        return true;
    }
    m_bytes += step->size;
    m_steps.push_back(std::move(*step));
    ++m_applied;
    dropOldestBeyondBudget();
    return true;
}

void UndoStack::dropOldestBeyondBudget() {
    while (m_bytes > kBudgetBytes && m_steps.size() > 1) {
        m_bytes -= m_steps.front().size;
        m_steps.erase(m_steps.begin());
        --m_applied;
        if (m_clean && *m_clean == 0)
            m_clean.reset();
        else if (m_clean)
            --*m_clean;
    }
}

void UndoStack::apply(const Step& step, bool forward, Composition& c) {
    (forward ? step.after : step.before).applyTo(c);
    for (const auto& s : step.pitches)
        put(c.NotePitch[s.table], s, forward);
    for (const auto& s : step.bytes) {
        auto& table = s.table < kLengthTables ? c.NoteVelocity[s.table - kVelocityTables]
                                              : c.NoteLength[s.table - kLengthTables];
        put(table, s, forward);
    }
    for (const auto& s : step.lyrics)
        put(c.Lyrics, s, forward);
    c.ComputeSongLength();
}

bool UndoStack::canRedo() const {
    return m_applied < m_steps.size();
}

std::string UndoStack::undoLabel() const {
    return canUndo() ? m_steps[m_applied - 1].label : std::string();
}

std::string UndoStack::redoLabel() const {
    return canRedo() ? m_steps[m_applied].label : std::string();
}

std::optional<ViewState> UndoStack::undo(Composition& c) {
    if (!canUndo()) return std::nullopt;
    const Step& step = m_steps[--m_applied];
    apply(step, false, c);
    apply(step, false, *m_shadow);
    return step.viewBefore;
}

std::optional<ViewState> UndoStack::redo(Composition& c) {
    if (!canRedo()) return std::nullopt;
    const Step& step = m_steps[m_applied++];
    apply(step, true, c);
    apply(step, true, *m_shadow);
    return step.viewAfter;
}

}  // namespace qn
