#include "copiesdialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace qn::print {

namespace {

// A page number is a whole number, blanks around it allowed; a signed one is
// accepted and simply prints nothing when it is below 1.
std::optional<int> pageNumber(const QLineEdit& box) {
    bool ok = false;
    const int value = box.text().trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QLineEdit* pageBox(const char* name) {
    auto* box = new QLineEdit;
    box->setObjectName(QLatin1String(name));
    box->setMaximumWidth(60);
    return box;
}

}  // namespace

CopiesDialog::CopiesDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PrintQuery"));
    setWindowTitle(tr("Print"));
    setModal(false);

    auto* pages = new QGroupBox(tr("Pages"));
    pages->setObjectName(QStringLiteral("Frame2"));
    m_printAll = new QRadioButton(tr("All"));
    m_printAll->setObjectName(QStringLiteral("PrintAll"));
    m_printSome = new QRadioButton(tr("From Page"));
    m_printSome->setObjectName(QStringLiteral("PrintSome"));
    m_from = pageBox("From");
    m_to = pageBox("Too");
    auto* pagesLayout = new QGridLayout(pages);
    pagesLayout->addWidget(m_printAll, 0, 0);
    pagesLayout->addWidget(m_printSome, 1, 0);
    pagesLayout->addWidget(m_from, 1, 1);
    pagesLayout->addWidget(new QLabel(tr("to Page")), 1, 2);
    pagesLayout->addWidget(m_to, 1, 3);

    auto* copiesFrame = new QGroupBox(tr("Copies"));
    copiesFrame->setObjectName(QStringLiteral("Frame1"));
    m_copies = new QLabel;
    m_copies->setObjectName(QStringLiteral("Copies"));
    m_copies->setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    m_copies->setMinimumWidth(24);
    m_copies->setAlignment(Qt::AlignCenter);
    // Negated values, so that the upper arrow counts up.
    m_copyScroll = new QScrollBar(Qt::Vertical);
    m_copyScroll->setObjectName(QStringLiteral("VScrollCopy"));
    m_copyScroll->setRange(-9, -1);
    m_copyScroll->setPageStep(1);
    m_copyScroll->setFixedHeight(40);
    auto* copiesLayout = new QHBoxLayout(copiesFrame);
    copiesLayout->addWidget(new QLabel(tr("Number of Copies")));
    copiesLayout->addWidget(m_copies);
    copiesLayout->addWidget(m_copyScroll);

    m_ok = new QPushButton(tr("OK"));
    m_ok->setObjectName(QStringLiteral("OK"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"));
    cancel->setObjectName(QStringLiteral("Canc"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addWidget(copiesFrame);
    layout->addLayout(buttons);

    connect(m_copyScroll, &QScrollBar::valueChanged, this,
            [this](int value) { m_copies->setText(QString::number(-value)); });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    for (QLineEdit* box : {m_from, m_to})
        connect(box, &QLineEdit::textChanged, this, &CopiesDialog::updateOk);
    connect(m_printSome, &QRadioButton::toggled, this, &CopiesDialog::updateOk);

    m_printAll->setChecked(true);
    m_copyScroll->setValue(-1);
    m_copies->setText(QStringLiteral("1"));
    setRange(QStringLiteral("1"), QStringLiteral("1"));
}

void CopiesDialog::setRange(const QString& from, const QString& to) {
    m_from->setText(from);
    m_to->setText(to);
    updateOk();
}

bool CopiesDialog::printAll() const {
    return m_printAll->isChecked();
}

std::optional<int> CopiesDialog::fromPage() const {
    return pageNumber(*m_from);
}

std::optional<int> CopiesDialog::toPage() const {
    return pageNumber(*m_to);
}

int CopiesDialog::copies() const {
    return -m_copyScroll->value();
}

// A range box that holds no whole number is marked and OK waits for a
// correction, rather than the run printing nothing without a word.
void CopiesDialog::updateOk() {
    bool usable = true;
    for (QLineEdit* box : {m_from, m_to}) {
        const bool bad = m_printSome->isChecked() && !pageNumber(*box);
        box->setStyleSheet(bad ? QStringLiteral("QLineEdit { border: 2px solid red; }")
                               : QString());
        box->setToolTip(bad ? tr("Type a page number") : QString());
        usable = usable && !bad;
    }
    m_ok->setEnabled(usable);
}

}  // namespace qn::print
