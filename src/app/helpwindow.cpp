#include "helpwindow.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>

#include "pictures.h"
#include "staff/clientlayout.h"

// The pages are compiled into this static library; its resources need an
// explicit start from outside any namespace.
static void initHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace qn {

namespace {

// Twips at 15 per pixel: the browser leaves a thin edge on the right and a
// strip at the bottom for the Back button.
constexpr int kRightEdge = 100 / staff::kTwipsPerPixel;
constexpr int kBottomStrip = 600 / staff::kTwipsPerPixel;
constexpr QSize kStartSize{760, 600};

// A browser whose pages may name the program's version as "@VERSION@".
class PageBrowser : public QTextBrowser {
  public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override {
        const QVariant page = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::HtmlResource || page.typeId() != QMetaType::QByteArray)
            return page;
        return QString::fromUtf8(page.toByteArray())
            .replace(QLatin1String("@VERSION@"), QCoreApplication::applicationVersion());
    }
};

}  // namespace

QUrl helpPageUrl(const QString& page) {
    return QUrl(QStringLiteral("qrc:/help/") + page);
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    initHelpResources();
    setObjectName(QStringLiteral("HelpAbout"));
    giveProgramIcon(*this);
    setWindowTitle(QStringLiteral(" Quillnote Help"));
    setModal(false);
    setSizeGripEnabled(true);

    m_browser = new PageBrowser(this);
    m_browser->setObjectName(QStringLiteral("WebBrowser1"));
    m_browser->setOpenExternalLinks(true);

    m_back = new QToolButton(this);
    m_back->setObjectName(QStringLiteral("Picture1"));
    m_back->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    m_back->setText(tr("Back"));
    m_back->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_back->setAutoRaise(true);
    connect(m_back, &QToolButton::clicked, this, &HelpWindow::Back_Click);
    resize(kStartSize);
}

void HelpWindow::showPage(const QString& page) {
    show();
    raise();
    activateWindow();
    m_browser->setSource(helpPageUrl(page));
}

void HelpWindow::Back_Click() {
    m_browser->backward();
}

void HelpWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // A size that would come out negative keeps the browser as it was.
    const int width = this->width() - kRightEdge;
    const int height = this->height() - kBottomStrip;
    if (width >= 0) m_browser->resize(width, m_browser->height());
    if (height >= 0) m_browser->resize(m_browser->width(), height);
    m_back->adjustSize();
    m_back->move(4, m_browser->height() + (kBottomStrip - m_back->height()) / 2);
}

void HelpWindow::mousePressEvent(QMouseEvent* event) {
    // The browser and the Back button take their own clicks; this is the window around them.
    event->accept();
    hide();
}

}  // namespace qn
