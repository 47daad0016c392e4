#include "octavedialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "pictures.h"

namespace qn {

namespace {

constexpr int kOctaves = 6;

}  // namespace

OctaveDialog::OctaveDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SetOctave"));
    giveProgramIcon(*this);
    setWindowTitle(tr("Set Octave"));
    setModal(false);

    m_title = new QLabel;
    m_title->setObjectName(QStringLiteral("Title"));
    auto* group = new QGroupBox;
    auto* row = new QHBoxLayout(group);
    m_options = new QButtonGroup(this);
    for (int k = 0; k < kOctaves; ++k) {
        auto* option = new QRadioButton(QString::number(k + 1));
        option->setObjectName(QStringLiteral("OptionOctave%1").arg(k));
        m_options->addButton(option, k);
        row->addWidget(option);
    }

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(ok, &QPushButton::clicked, this, &OctaveDialog::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

void OctaveDialog::openFor(int track, int octave) {
    m_track = track;
    m_title->setText(tr("Select the Octave for Track ") + QLatin1Char(' ') +
                     QString::number(track + 1));
    // A button group that must stay exclusive cannot be emptied while checked.
    m_options->setExclusive(false);
    for (QAbstractButton* option : m_options->buttons())
        option->setChecked(m_options->id(option) == octave - 1);
    m_options->setExclusive(true);
    adjustSize();
    centreOnScreen();
}

int OctaveDialog::chosenOctave() const {
    return m_options->checkedId() + 1;
}

QString OctaveDialog::title() const {
    return m_title->text();
}

void OctaveDialog::cmdOK_Click() {
    if (const int octave = chosenOctave(); octave > 0) emit octaveChosen(m_track, octave);
    accept();
}

void OctaveDialog::centreOnScreen() {
    const QRect screenArea = screen()->geometry();
    move(screenArea.x() + (screenArea.width() - width()) / 2,
         screenArea.y() + (screenArea.height() - height()) / 2);
}

}  // namespace qn
