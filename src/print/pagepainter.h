#pragma once

// Paints a page with vectors (lines, curves, text), so it stays sharp at any
// printer resolution. One painter serves the preview and every printed page.

#include <QFont>
#include <memory>

#include "pagecontent.h"
#include "staff/staffpictures.h"

class QPainter;
class QSvgRenderer;

namespace qn::print {

class PagePainter {
  public:
    PagePainter();
    ~PagePainter();

    // Paints in page twips with the painter's current transformation.
    void paint(QPainter& painter, const PageContent& page) const;
    // Paints the page scaled to fit `target` (device coordinates), centred.
    void paintFitted(QPainter& painter, const PageContent& page, const QRectF& target) const;

    // The two layers of `paint`: what every page shows (staves, clefs, fixed
    // captions), and what this page shows on top of it.
    void paintBackground(QPainter& painter) const;
    void paintContent(QPainter& painter, const PageContent& page) const;

  private:
    staff::Picture m_clef;
    std::unique_ptr<QSvgRenderer> m_clefRenderer;  // vectors, sharp on any printer
    QFont m_titleFont;
    QFont m_headerFont;
    QFont m_labelFont;
    QFont m_trackFont;
    QFont m_glyphFont;
};

}  // namespace qn::print
