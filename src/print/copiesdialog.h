#pragma once

// The copies dialog ("Print"): all pages or a range, and one to nine copies.
// It only reports the choice; the print command reads it. Modeless; closing
// it through the window frame is a Cancel.

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace qn::print {

class CopiesDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CopiesDialog(QWidget* parent = nullptr);

    // The print command fills the range each time it opens the dialog.
    void setRange(const QString& from, const QString& to);

    bool printAll() const;
    // The page numbers in From and To; none for a text that is not a whole number.
    std::optional<int> fromPage() const;
    std::optional<int> toPage() const;
    int copies() const;

  private:
    void updateOk();

    QRadioButton* m_printAll = nullptr;
    QRadioButton* m_printSome = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QLabel* m_copies = nullptr;
    QScrollBar* m_copyScroll = nullptr;
    QPushButton* m_ok = nullptr;
};

}  // namespace qn::print
