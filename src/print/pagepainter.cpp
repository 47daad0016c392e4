#include "pagepainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QSvgRenderer>

#include "staff/glyphpainter.h"
#include "staff/staffgeometry.h"

namespace qn::print {

namespace {

using namespace staff;

constexpr int kLyricsCaptionWidth = kLyricX;

// Fonts are sized in twips: the painter's units on every device.
QFont pageFont(const QString& family, int twips, bool bold = false) {
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(twips);
    font.setBold(bold);
    return font;
}

void drawText(QPainter& painter, const QRectF& box, int flags, const QString& text) {
    if (!text.isEmpty()) painter.drawText(box, flags, text);
}

}  // namespace

PagePainter::PagePainter()
    : m_clef(trebleClefPicture()),
      m_clefRenderer(std::make_unique<QSvgRenderer>(m_clef.resource)),
      m_titleFont(pageFont(QStringLiteral("Arial"), 300, true)),
      m_headerFont(pageFont(QStringLiteral("Arial"), 180)),
      m_labelFont(pageFont(QStringLiteral("Sans Serif"), 165)),
      m_trackFont(pageFont(QStringLiteral("Sans Serif"), 180, true)),
      m_glyphFont(velocityLabelFont()) {}

PagePainter::~PagePainter() = default;

void PagePainter::paintFitted(QPainter& painter, const PageContent& page,
                              const QRectF& target) const {
    painter.save();
    painter.setTransform(fitPage(target), true);
    paint(painter, page);
    painter.restore();
}

void PagePainter::paint(QPainter& painter, const PageContent& page) const {
    paintBackground(painter);
    paintContent(painter, page);
}

void PagePainter::paintBackground(QPainter& painter) const {
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    QPen line(Qt::black, kTwipsPerPixel);
    line.setCapStyle(Qt::FlatCap);
    painter.setPen(line);
    painter.setBrush(Qt::NoBrush);
    for (int t = 0; t < kStaffCount; ++t) {
        for (int k = 0; k < 5; ++k)
            painter.drawLine(
                QLineF(kPageStaffLeft, staffLineY(t, k), kPageStaffRight, staffLineY(t, k)));
        for (const int x : {kPageStaffLeft, kPageStaffRight})
            painter.drawLine(QLineF(x, staffLineY(t, 0), x, staffLineY(t, 4)));
    }

    // The treble clef on every staff, whatever the window shows for track 1.
    for (int t = 0; t < kStaffCount; ++t) {
        m_clefRenderer->render(&painter, QRectF(QPointF(kClefX, kClefTop[t]), m_clef.size));
    }

    painter.setPen(Qt::black);
    painter.setFont(m_labelFont);
    for (int t = 0; t < kStaffCount; ++t)
        painter.drawText(QRectF(kClefX, kPageLabelRow[t], kLabelWidth, kLabelHeight),
                         Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Vol"));
    painter.drawText(QRectF(0, kLyricY, kLyricsCaptionWidth, kLyricHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Lyrics"));
    painter.setFont(m_trackFont);
    for (int t = 0; t < kStaffCount; ++t)
        painter.drawText(QRectF(0, staffLineY(t, 0), kTrackLabelSize, kTrackLabelSize),
                         Qt::AlignCenter, QString::number(t + 1));
    painter.restore();
}

void PagePainter::paintContent(QPainter& painter, const PageContent& page) const {
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    const double staffWidth = kPageStaffRight - kPageStaffLeft;

    painter.setFont(m_titleFont);
    drawText(painter, QRectF(kPageStaffLeft, kTitleTop, staffWidth, kTitleHeight),
             Qt::AlignHCenter | Qt::AlignTop, page.title);
    painter.setFont(m_headerFont);
    drawText(painter, QRectF(kPageStaffLeft, kAuthorTop, staffWidth, kHeaderRowHeight),
             Qt::AlignRight | Qt::AlignTop, page.author);
    drawText(painter, QRectF(kPageStaffLeft, kPageNumberTop, staffWidth, kHeaderRowHeight),
             Qt::AlignHCenter | Qt::AlignTop, page.pageCaption);

    painter.setFont(m_labelFont);
    for (int t = 0; t < kStaffCount; ++t) {
        const double x = t % 2 == 0 ? kPageStaffLeft : kInstrumentColumnX;
        const double y = kInstrumentTop + kHeaderRowHeight * (t / 2);
        drawText(painter, QRectF(x, y, kPageStaffRight - kInstrumentColumnX, kHeaderRowHeight),
                 Qt::AlignLeft | Qt::AlignVCenter, page.instrumentLabels[t]);
        drawText(painter, QRectF(0, staffLineY(t, 4), kTrackLabelSize, kTrackLabelSize),
                 Qt::AlignCenter, page.octaveLabels[t]);
    }

    const QFontMetricsF metrics(m_labelFont);
    for (int i = 0; i < kPageColumns; ++i) {
        const QString& lyric = page.lyrics[static_cast<size_t>(i)];
        if (lyric.isEmpty()) continue;
        // A word longer than its box is cut short, as the box shows it.
        painter.drawText(QRectF(lyricLeft(i), kLyricY, kLyricWidth, kLyricHeight),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(lyric, Qt::ElideRight, kLyricWidth));
    }

    for (const GlyphState& glyph : page.glyphs)
        paintGlyph(painter, glyph, m_glyphFont);
    painter.restore();
}

}  // namespace qn::print
