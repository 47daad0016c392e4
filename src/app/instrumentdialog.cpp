#include "instrumentdialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include "instrumentnames.h"
#include "pictures.h"

namespace qn {

namespace {

// Five columns of 26 fit a 1366 x 768 screen beside the track panel.
constexpr int kRows = 26;
const QColor kBoxColor(0xFF, 0xFF, 0xC0);   // light yellow
const QColor kHeldColor(0xFF, 0x80, 0x0A);  // orange while its Set button is held

void paintBox(QLineEdit* box, const QColor& color) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, color);
    box->setPalette(palette);
}

}  // namespace

InstrumentDialog::InstrumentDialog(const std::array<int16_t, kTrackCount>& programs,
                                   QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TrackInst"));
    giveProgramIcon(*this);
    setWindowTitle(tr("Change Instruments"));
    setModal(false);

    auto* options = new QWidget;
    auto* grid = new QGridLayout(options);
    grid->setVerticalSpacing(2);
    m_programs = new QButtonGroup(this);
    m_programs->setExclusive(true);
    for (int k = 0; k < kInstrumentCount; ++k) {
        auto* button = new QRadioButton(instrumentName(k));
        button->setObjectName(QStringLiteral("Option1_%1").arg(k));
        m_programs->addButton(button, k);
        grid->addWidget(button, k % kRows, k / kRows);
    }
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("InstrumentList"));
    scroll->setWidget(options);
    scroll->setWidgetResizable(true);

    QWidget* panel = buildTrackPanel();
    for (int t = 0; t < kTrackCount; ++t)
        m_trackBoxes[t]->setText(instrumentName(programs[t]));

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addWidget(panel);
    selectProgram(0);
    sizeToScreen(options, panel);
}

QWidget* InstrumentDialog::buildTrackPanel() {
    auto* panel = new QWidget;
    auto* column = new QVBoxLayout(panel);
    for (int t = 0; t < kTrackCount; ++t) {
        auto* box = new QLineEdit;
        box->setObjectName(QStringLiteral("TrackInstLabel%1").arg(t));
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        paintBox(box, kBoxColor);
        auto* set = new QPushButton(tr("Set Track %1").arg(t + 1));
        set->setObjectName(QStringLiteral("SetTrakInst%1").arg(t));
        set->setAutoDefault(false);
        connect(set, &QPushButton::pressed, this, [box] { paintBox(box, kHeldColor); });
        connect(set, &QPushButton::released, this, [box] { paintBox(box, kBoxColor); });
        connect(set, &QPushButton::clicked, this, [this, t] { SetTrakInst_Click(t); });
        column->addWidget(box);
        column->addWidget(set);
        column->addSpacing(8);
        m_trackBoxes[t] = box;
    }
    column->addStretch(1);
    auto* review = new QPushButton(tr("Preview"));
    review->setObjectName(QStringLiteral("Review"));
    review->setAutoDefault(false);
    connect(review, &QPushButton::clicked, this,
            [this] { emit previewRequested(selectedProgram()); });
    auto* ok = new QPushButton(tr("OK"));
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    column->addWidget(review);
    column->addWidget(ok);
    panel->setFixedWidth(230);
    return panel;
}

void InstrumentDialog::sizeToScreen(QWidget* options, QWidget* panel) {
    // All the buttons when the screen has room, else as much as fits and a scroll bar.
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize wanted = options->sizeHint() + QSize(panel->width() + scrollBar + 40, 40);
    const QSize room = screen()->availableGeometry().size() - QSize(20, 60);
    resize(wanted.boundedTo(room));
}

int InstrumentDialog::selectedProgram() const {
    return m_programs->checkedId();
}

void InstrumentDialog::selectProgram(int program) {
    if (QAbstractButton* button = m_programs->button(program)) button->setChecked(true);
}

QString InstrumentDialog::trackBoxText(int track) const {
    return isTrack(track) ? m_trackBoxes[track]->text() : QString();
}

void InstrumentDialog::SetTrakInst_Click(int track) {
    const int k = selectedProgram();
    if (!isTrack(track) || k < 0) return;
    m_trackBoxes[track]->setText(instrumentName(k));
    emit trackSet(track, k);
}

}  // namespace qn
