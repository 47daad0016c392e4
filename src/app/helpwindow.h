#pragma once

// The help window (" Quillnote Help"): a browser on the help and about pages
// that ship inside the program, with a Back button below it. Not modal; a
// click on the window outside the browser, Escape or the close box hide it.
// Each page request navigates anew, so the history grows across uses.
// UI thread only.

#include <QDialog>
#include <QUrl>

class QTextBrowser;
class QToolButton;

namespace qn {

// Where a page that ships with the program lives ("help.html", "about.html").
QUrl helpPageUrl(const QString& page);

class HelpWindow : public QDialog {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the window on `page` ("help.html" or "about.html").
    void showPage(const QString& page);
    QTextBrowser* browser() const { return m_browser; }
    // The Back button: one page back in the history.
    void Back_Click();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QTextBrowser* m_browser = nullptr;
    QToolButton* m_back = nullptr;
};

}  // namespace qn
