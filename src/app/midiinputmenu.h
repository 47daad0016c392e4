#pragma once

// The Play menu's "MIDI Input" submenu: the input ports, the one listened to
// checked, filled afresh each time it opens.

#include <QString>
#include <functional>

class QMenu;

namespace qn {

class MidiInput;

// Adds the submenu at the end of `play`. A click on a port listens to it, a
// click on the checked one stops listening; `report` shows a port that could
// not be opened. Without MIDI input it holds "No MIDI input", disabled.
QMenu* addMidiInputMenu(QMenu& play, MidiInput& input, std::function<void(QString)> report);

}  // namespace qn
