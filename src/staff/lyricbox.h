#pragma once

// One box of the lyric row under the staff; it reports when it loses the
// keyboard focus, which is when its text is stored. A lyric longer than the
// box shows its beginning whenever the user is not typing in it.

#include <QLineEdit>

namespace qn::staff {

class LyricBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit LyricBox(QWidget* parent = nullptr);

  signals:
    void focusLost();

  protected:
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace qn::staff
