#pragma once

// One box of the lyric row under the staff; it reports when it loses the
// keyboard focus, which is when its text is stored.

#include <QLineEdit>

namespace qn::staff {

class LyricBox : public QLineEdit {
    Q_OBJECT
  public:
    using QLineEdit::QLineEdit;

  signals:
    void focusLost();

  protected:
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace qn::staff
