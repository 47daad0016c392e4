#include "effectsdialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "effecttable.h"
#include "pictures.h"
#include "staff/clientlayout.h"

namespace qn {

namespace {

constexpr int kTrackPixels = 100;  // knob travel: the slider formulas count pixels 0..100
constexpr int kKnobHeight = 8;
using staff::kTwipsPerPixel;

struct Column {
    const char* caption;
    int box;
};

// Each frame's columns, left to right, indexed by Effect.
const std::array<std::vector<Column>, kEffectCount>& columns() {
    static const std::array<std::vector<Column>, kEffectCount> kColumns = {{
        // Distortion
        {{"Gain", 1},
         {"Edge", 0},
         {"Post EQ Center Freq", 3},
         {"Post EQ Bandwidth", 2},
         {"Prelow", 4}},
        // Echo
        {{"Wetdry", 3}, {"Feedback", 0}, {"Left Delay", 1}, {"Right Delay", 2}},
        // Chorus
        {{"Wet/Dry Mix", 3},
         {"Depth", 1},
         {"Feed back", 2},
         {"Delay", 0},
         {"Phase", 4},
         {"Frequency", 5}},
        // Flanger
        {{"Wet/Dry Mix", 5},
         {"Depth", 2},
         {"Feed back", 3},
         {"Freq", 0},
         {"Delay", 1},
         {"Phase", 4}},
        // Compressor
        {{"Gain", 0},
         {"Attack", 3},
         {"Release", 4},
         {"Predelay", 1},
         {"Ratio", 2},
         {"Threshold", 5}},
        // Gargle
        {{"Rate", 0}},
        // Para
        {{"Center", 0}, {"Bandwidth", 2}, {"Gain", 1}},
        // Reverb
        {{"Gain", 0}, {"Reverb Mix", 2}, {"Reverb Time", 3}, {"High Freq.", 1}},
    }};
    return kColumns;
}

}  // namespace

EffectSlider::EffectSlider(EffectsDialogValues& values, Effect effect, int box, QWidget* parent)
    : QWidget(parent), m_values(values), m_effect(effect), m_box(box) {
    setCursor(Qt::SizeVerCursor);
    setToolTip(tr("Drag to set the value"));
}

QSize EffectSlider::sizeHint() const {
    return {22, kTrackPixels + kKnobHeight + 2};
}

int EffectSlider::knobTop() const {
    return m_values.sliderTop(m_effect, m_box) / kTwipsPerPixel;
}

void EffectSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int middle = width() / 2;
    painter.setPen(QPen(palette().mid().color(), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(middle, kKnobHeight / 2, middle, kTrackPixels + kKnobHeight / 2);
    painter.setPen(QPen(palette().dark().color(), 1));
    painter.setBrush(palette().button());
    painter.drawRoundedRect(QRectF(2, knobTop(), width() - 4, kKnobHeight), 2, 2);
}

void EffectSlider::mousePressEvent(QMouseEvent* event) {
    m_dragging = event->button() == Qt::LeftButton;
    mouseMoveEvent(event);
}

void EffectSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) return;
    if (m_values.dragSlider(m_effect, m_box, event->position().y())) {
        update();
        emit moved();
    }
}

void EffectSlider::mouseReleaseEvent(QMouseEvent*) {
    if (!m_dragging) return;
    m_dragging = false;
    m_values.releaseSlider(m_effect, m_box);
    emit moved();
}

EffectsDialog::EffectsDialog(EffectsDialogValues& values, QWidget* parent)
    : QDialog(parent), m_values(values) {
    setObjectName(QStringLiteral("FXform"));
    giveProgramIcon(*this);
    setWindowTitle(tr("Special Effects"));
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(tr("Special Effects"));
    title->setObjectName(QStringLiteral("Title"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    title->setFont(titleFont);
    layout->addWidget(title);

    auto* buttons = new QHBoxLayout;
    m_frames = new QStackedWidget;
    for (int position = 0; position < kEffectCount; ++position) {
        const Effect effect = effectAtFrame(position);
        const EffectFrame& frame = effectEntry(effect).frame;
        auto* button = new QPushButton(tr(frame.caption));
        button->setObjectName(QLatin1String(frame.button));
        button->setCheckable(true);
        button->setAutoExclusive(true);
        connect(button, &QPushButton::clicked, this, [this, effect] { showFrame(effect); });
        buttons->addWidget(button);
        m_frameButtons[effectIndex(effect)] = button;
        m_frames->addWidget(buildFrame(effect));
    }
    layout->addLayout(buttons);
    layout->addWidget(m_frames);

    m_applyButton = new QPushButton(tr("Apply"));
    m_applyButton->setObjectName(QStringLiteral("Command15"));
    m_applyButton->setToolTip(tr("Limit every value to its range and close"));
    connect(m_applyButton, &QPushButton::clicked, this, [this] {
        apply();
        hide();
    });
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_applyButton);
    layout->addLayout(bottom);

    showFrame(effectAtFrame(0));
    refresh();
}

QWidget* EffectsDialog::buildFrame(Effect effect) {
    const int e = effectIndex(effect);
    const EffectFrame& frame = effectEntry(effect).frame;
    auto* widget = new QWidget;
    widget->setObjectName(QLatin1String(frame.name));
    auto* grid = new QGridLayout(widget);
    m_boxes[e].resize(EffectsDialogValues::boxCount(effect));
    m_sliders[e].resize(EffectsDialogValues::boxCount(effect));
    int column = 0;
    for (const Column& c : columns()[e]) {
        auto* caption = new QLabel(tr(c.caption));
        caption->setAlignment(Qt::AlignCenter);
        caption->setWordWrap(true);
        auto* slider = new EffectSlider(m_values, effect, c.box);
        slider->setObjectName(
            QStringLiteral("%1(%2)").arg(QLatin1String(frame.sliders)).arg(c.box));
        auto* box = new QLineEdit;
        box->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(frame.boxes)).arg(c.box));
        box->setToolTip(tr("Enter a db value"));
        box->setMaximumWidth(70);
        box->setAlignment(Qt::AlignCenter);
        connect(box, &QLineEdit::textEdited, this,
                [this, effect, index = c.box](const QString& text) {
                    m_values.setText(effect, index, text.toStdString());
                });
        connect(slider, &EffectSlider::moved, this, [this, effect, box, index = c.box] {
            box->setText(QString::fromStdString(m_values.text(effect, index)));
        });
        grid->addWidget(caption, 0, column, Qt::AlignCenter);
        grid->addWidget(slider, 1, column, Qt::AlignHCenter);
        grid->addWidget(box, 2, column, Qt::AlignCenter);
        m_boxes[e][c.box] = box;
        m_sliders[e][c.box] = slider;
        ++column;
    }
    switch (effect) {
        case Effect::Echo:
            addCheckBox(widget, Check::PanDelay, tr("Pan Delay"), 1, column);
            break;
        case Effect::Para:
            addCheckBox(widget, Check::BassBoost, tr("Bass boost"), 1, column);
            addCheckBox(widget, Check::NoiseReduction, tr("Noise Reduction"), 2, column);
            break;
        case Effect::Chorus:
            addCheckBox(widget, Check::ChorusSine, tr("Sine"), 1, column);
            addCheckBox(widget, Check::ChorusTriangle, tr("Triangle"), 2, column);
            break;
        case Effect::Flanger:
            addCheckBox(widget, Check::FlangerSine, tr("Sine"), 1, column);
            addCheckBox(widget, Check::FlangerTriangle, tr("Triangle"), 2, column);
            break;
        case Effect::Gargle:
            addCheckBox(widget, Check::GargleSine, tr("Sine"), 1, column);
            addCheckBox(widget, Check::GargleTriangle, tr("Triangle"), 2, column);
            break;
        default:
            break;
    }
    grid->setColumnStretch(column + 1, 1);
    return widget;
}

void EffectsDialog::addCheckBox(QWidget* frame, Check which, const QString& caption, int row,
                                int column) {
    static const char* const kNames[] = {
        "Pandelay",      "CheckChorusSine", "CheckChorusTri", "FCheckSin", "FCheckTri",
        "CheckGargSine", "CheckGargTri",    "Base",           "Noise"};
    auto* box = new QCheckBox(caption, frame);
    box->setObjectName(QLatin1String(kNames[static_cast<int>(which)]));
    static_cast<QGridLayout*>(frame->layout())->addWidget(box, row, column);
    connect(box, &QCheckBox::clicked, this,
            [this, which](bool checked) { checkBoxClicked(which, checked); });
    m_checks[static_cast<int>(which)] = box;
}

void EffectsDialog::checkBoxClicked(Check which, bool checked) {
    switch (which) {
        case Check::PanDelay:
            m_values.panDelay = checked;
            break;
        case Check::ChorusSine:
            m_values.chorusSine = checked;
            break;
        case Check::ChorusTriangle:
            m_values.chorusSine = !checked;
            break;
        case Check::FlangerSine:
            m_values.flangerSine = checked;
            break;
        case Check::FlangerTriangle:
            m_values.flangerSine = !checked;
            break;
        case Check::GargleSine:
            m_values.gargleSine = checked;
            break;
        case Check::GargleTriangle:
            m_values.gargleSine = !checked;
            break;
        case Check::BassBoost:
            m_values.setBassBoost(checked);
            break;
        case Check::NoiseReduction:
            m_values.setNoiseReduction(checked);
            break;
    }
    refresh();
}

void EffectsDialog::refresh() {
    for (Effect effect : kEffects) {
        const int e = effectIndex(effect);
        for (size_t b = 0; b < m_boxes[e].size(); ++b) {
            m_boxes[e][b]->setText(
                QString::fromStdString(m_values.text(effect, static_cast<int>(b))));
            m_sliders[e][b]->update();
        }
    }
    const auto set = [this](Check which, bool checked) {
        m_checks[static_cast<int>(which)]->setChecked(checked);
    };
    set(Check::PanDelay, m_values.panDelay);
    set(Check::ChorusSine, m_values.chorusSine);
    set(Check::ChorusTriangle, !m_values.chorusSine);
    set(Check::FlangerSine, m_values.flangerSine);
    set(Check::FlangerTriangle, !m_values.flangerSine);
    set(Check::GargleSine, m_values.gargleSine);
    set(Check::GargleTriangle, !m_values.gargleSine);
    set(Check::BassBoost, m_values.bassBoost);
    set(Check::NoiseReduction, m_values.noiseReduction);
}

void EffectsDialog::showFrame(Effect effect) {
    m_frames->setCurrentIndex(effectEntry(effect).frame.position);
    m_frameButtons[effectIndex(effect)]->setChecked(true);
}

Effect EffectsDialog::currentFrame() const {
    return effectAtFrame(m_frames->currentIndex());
}

QLineEdit* EffectsDialog::box(Effect effect, int index) const {
    return m_boxes[effectIndex(effect)].at(index);
}

EffectSlider* EffectsDialog::slider(Effect effect, int index) const {
    return m_sliders[effectIndex(effect)].at(index);
}

QPushButton* EffectsDialog::frameButton(Effect effect) const {
    return m_frameButtons[effectIndex(effect)];
}

QCheckBox* EffectsDialog::checkBox(Check which) const {
    return m_checks[static_cast<int>(which)];
}

void EffectsDialog::apply() {
    m_values.apply();
    refresh();
}

void EffectsDialog::reject() {
    apply();
    QDialog::reject();
}

}  // namespace qn
