#pragma once

#include <functional>

class QWidget;

namespace qn {

// Runs `then` once from the event loop just after `widget` first paints, or
// after `latestMs` if it has not painted by then (hidden, or no window system):
// work the first frame need not wait for.
void afterFirstPaint(QWidget& widget, std::function<void()> then, int latestMs = 1000);

}  // namespace qn
