#include "lyricbox.h"

namespace qn::staff {

void LyricBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit focusLost();
}

}  // namespace qn::staff
