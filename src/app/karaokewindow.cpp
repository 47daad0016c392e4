#include "karaokewindow.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "pictures.h"
#include "staff/clientlayout.h"

namespace qn {

namespace {

using staff::kTwipsPerPixel;

constexpr int kLabelTop = 840;  // twips, until the first resize
constexpr int kLabelHeight = 495;
constexpr std::array<int, kKaraokeLabels> kLabelLefts = {240, 2040, 3840, 5640, 7320};
constexpr std::array<int, kKaraokeLabels> kLabelWidths = {1575, 1575, 1575, 1575, 1695};
constexpr int kBallWidth = 495;
constexpr int kBallHeight = 375;
constexpr int kBallTop = 1560;
constexpr int kWindowWidth = 9360;
constexpr int kWindowHeight = 3120;

// Fractions of the window height at which the labels' and the ball's tops sit.
constexpr double kLabelTopShare = 0.3;
constexpr double kBallTopShare = 0.5;

int pixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

// The ball: a red-filled circle that lets clicks through to the window.
class BallWidget : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::black);
        painter.setBrush(Qt::red);
        painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
};

}  // namespace

KaraokeWindow::KaraokeWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Karaoke"));
    giveProgramIcon(*this);
    setWindowTitle(tr("Karaoke"));
    resize(pixels(kWindowWidth), pixels(kWindowHeight));

    QFont font;
    // Comic Sans MS where it is installed, else a look-alike, else the default face.
    font.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"),
                      QStringLiteral("Comic Relief")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(12);
    for (int i = 0; i < kKaraokeLabels; ++i) {
        auto* label = new QLabel(QStringLiteral("-"), this);
        label->setObjectName(QStringLiteral("VocLabel%1").arg(i));
        label->setFont(font);
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, Qt::white);
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
        label->setGeometry(pixels(kLabelLefts[i]), pixels(kLabelTop), pixels(kLabelWidths[i]),
                           pixels(kLabelHeight));
        m_labels[i] = label;
    }
    m_ball = new BallWidget(this);
    m_ball->setObjectName(QStringLiteral("Ball"));
    m_ball->setGeometry(pixels(kBallStartLeft), pixels(kBallTop), pixels(kBallWidth),
                        pixels(kBallHeight));
}

void KaraokeWindow::setLabels(const std::array<std::string, kKaraokeLabels>& texts) {
    for (int i = 0; i < kKaraokeLabels; ++i)
        m_labels[i]->setText(QString::fromStdString(texts[i]));
}

void KaraokeWindow::setBallLeft(int twips) {
    m_ball->move(pixels(twips), m_ball->y());
}

void KaraokeWindow::apply(const DisplayChanges& changes) {
    if (changes.vocLabels) setLabels(*changes.vocLabels);
    if (changes.ballLeft) setBallLeft(*changes.ballLeft);
    if (changes.showKaraoke) {
        show();
        raise();
    }
}

void KaraokeWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int h = height();
    for (QLabel* label : m_labels)
        label->move(label->x(), static_cast<int>(std::lround(kLabelTopShare * h)));
    m_ball->move(m_ball->x(), static_cast<int>(std::lround(kBallTopShare * h)));
}

void KaraokeWindow::mousePressEvent(QMouseEvent* event) {
    event->accept();
    hide();
}

}  // namespace qn
