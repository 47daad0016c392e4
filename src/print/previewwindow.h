#pragma once

// The print preview: one page of the score on white, scaled to the window,
// with Next, Previous and Close. Modeless: the main window stays usable.

#include <QPixmap>
#include <QWidget>

#include "pagecontent.h"
#include "pagepainter.h"
#include "previewpaging.h"

class QLabel;
class QPushButton;

namespace qn::print {

// Shows one page, scaled to the widget and centred. What every page shows is
// painted once per widget size, so a page turn paints only the notes and texts.
class PageView : public QWidget {
  public:
    explicit PageView(QWidget* parent = nullptr);
    void setPage(PageContent page);
    const PageContent& page() const { return m_page; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRectF pageArea() const;

    PageContent m_page;
    PagePainter m_painter;
    QPixmap m_background;
};

class PreviewWindow : public QWidget {
    Q_OBJECT
  public:
    // The composition must outlive the window's use; the window only reads it.
    PreviewWindow(const Composition& c, InstrumentCaption instrument, QWidget* parent = nullptr);

    // Page 1 of the composition as it is now, shown and raised.
    void startPreview();
    const PreviewPaging& paging() const { return m_paging; }
    PageView& pageView() const { return *m_view; }

    void Nex_Click();
    void Previous_Click();

  private:
    void showPage();

    const Composition& m_composition;
    InstrumentCaption m_instrument;
    PreviewPaging m_paging;
    PageView* m_view = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_previous = nullptr;
};

}  // namespace qn::print
