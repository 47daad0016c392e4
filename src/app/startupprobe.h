#pragma once

// For bench/startup.sh: with QUILLNOTE_STARTUP_PROBE set in the environment,
// the program prints "quillnote-first-paint <ns>" (CLOCK_MONOTONIC) to stderr
// once the main window's first frame has been painted and handed to the
// window system, and ends at once, saving nothing. Without it, nothing happens.

class QWidget;

namespace qn {

inline constexpr char kStartupProbeVariable[] = "QUILLNOTE_STARTUP_PROBE";

// Call before the window is shown.
void watchFirstPaint(QWidget& window);

}  // namespace qn
