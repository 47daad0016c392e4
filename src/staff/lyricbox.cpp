#include "lyricbox.h"

namespace qn::staff {

LyricBox::LyricBox(QWidget* parent) : QLineEdit(parent) {
    // setText leaves the cursor at the end, which scrolls a long lyric to its end.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!hasFocus()) setCursorPosition(0);
    });
}

void LyricBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    setCursorPosition(0);
    emit focusLost();
}

}  // namespace qn::staff
