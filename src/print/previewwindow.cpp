#include "previewwindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace qn::print {

PageView::PageView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Room for the page at about a twelfth of a pixel per twip.
    setMinimumSize(480, 350);
}

void PageView::setPage(PageContent page) {
    m_page = std::move(page);
    update();
}

QRectF PageView::pageArea() const {
    constexpr int kMargin = 8;
    return QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
}

void PageView::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (m_background.size() != size() * ratio) {
        m_background = QPixmap(size() * ratio);
        m_background.setDevicePixelRatio(ratio);
        m_background.fill(Qt::white);
        QPainter background(&m_background);
        background.setTransform(fitPage(pageArea()));
        m_painter.paintBackground(background);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
    painter.setTransform(fitPage(pageArea()));
    m_painter.paintContent(painter, m_page);
}

PreviewWindow::PreviewWindow(const Composition& c, InstrumentCaption instrument, QWidget* parent)
    : QWidget(parent, Qt::Window), m_composition(c), m_instrument(std::move(instrument)) {
    setObjectName(QStringLiteral("PrintFm"));
    setWindowTitle(tr("Print"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    auto* banner = new QLabel(tr("Print Preview"));
    banner->setObjectName(QStringLiteral("PreviewBox"));
    QFont bannerFont = banner->font();
    bannerFont.setBold(true);
    bannerFont.setPointSizeF(bannerFont.pointSizeF() * 1.5);
    banner->setFont(bannerFont);
    m_previous = new QPushButton(tr("Previous"));
    m_previous->setObjectName(QStringLiteral("Previous"));
    m_next = new QPushButton(tr("Next"));
    m_next->setObjectName(QStringLiteral("Nex"));
    auto* close = new QPushButton(tr("Close"));
    close->setObjectName(QStringLiteral("Clos"));

    auto* top = new QHBoxLayout;
    top->addWidget(banner);
    top->addStretch();
    top->addWidget(m_previous);
    top->addWidget(m_next);
    top->addWidget(close);
    m_view = new PageView;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_view, 1);
    resize(960, 760);

    connect(m_next, &QPushButton::clicked, this, &PreviewWindow::Nex_Click);
    connect(m_previous, &QPushButton::clicked, this, &PreviewWindow::Previous_Click);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
}

void PreviewWindow::startPreview() {
    setWindowTitle(tr("Print Preview"));
    m_paging.start(m_composition.SongLength);
    showPage();
    show();
    raise();
    activateWindow();
}

void PreviewWindow::Nex_Click() {
    if (m_paging.next(m_composition.SongLength)) showPage();
}

void PreviewWindow::Previous_Click() {
    if (m_paging.previous()) showPage();
}

void PreviewWindow::showPage() {
    m_view->setPage(RenderPage(m_composition, m_instrument, m_paging.page()));
    m_next->setEnabled(m_paging.nextEnabled());
    m_previous->setEnabled(m_paging.previousEnabled());
}

}  // namespace qn::print
