#pragma once

// Display texts of the 128 General MIDI programs, used by the instrument combo
// box, the track instrument dialog and the track instrument labels.

#include <QString>
#include <QStringList>
#include <array>

namespace qn {

inline constexpr int kInstrumentCount = 128;

// Indexed by program number; each text is the number, two blanks below 10 and
// one blank from 10 on, then the name.
extern const std::array<const char*, kInstrumentCount> InstrumentNames;

// The entry of `program`, or an empty text for a number outside 0..127.
QString instrumentName(int program);

// All 128 entries in program order, ready for a combo box.
QStringList instrumentNameList();

}  // namespace qn
