#include "fxform.h"

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

namespace qn {

namespace {

constexpr int kTrackPixels = 100;  // knob travel: the slider formulas count pixels 0..100
constexpr int kKnobHeight = 8;
constexpr int kTwipsPerPixel = 15;

struct Column {
    const char* caption;
    int box;
};

struct Frame {
    FxGroup group;
    const char* button;  // caption of the label button that selects the frame
    const char* name;    // the frame's object name
    std::vector<Column> columns;
};

// Frames in the order of their label buttons; columns left to right.
const std::vector<Frame>& frames() {
    static const std::vector<Frame> kFrames = {
        {FxGroup::Echo,
         "Echo",
         "EchoFrame",
         {{"Wetdry", 3}, {"Feedback", 0}, {"Left Delay", 1}, {"Right Delay", 2}}},
        {FxGroup::Equaliser, "ParamEQ", "EqFrame", {{"Center", 0}, {"Bandwidth", 2}, {"Gain", 1}}},
        {FxGroup::Chorus,
         "Chorus",
         "ChorusFrame",
         {{"Wet/Dry Mix", 3},
          {"Depth", 1},
          {"Feed back", 2},
          {"Delay", 0},
          {"Phase", 4},
          {"Frequency", 5}}},
        {FxGroup::Distortion,
         "Distortion",
         "DistFrame",
         {{"Gain", 1},
          {"Edge", 0},
          {"Post EQ Center Freq", 3},
          {"Post EQ Bandwidth", 2},
          {"Prelow", 4}}},
        {FxGroup::Gargle, "Gargle", "GargFrame", {{"Rate", 0}}},
        {FxGroup::Compressor,
         "Compressor",
         "CompFrame",
         {{"Gain", 0},
          {"Attack", 3},
          {"Release", 4},
          {"Predelay", 1},
          {"Ratio", 2},
          {"Threshold", 5}}},
        {FxGroup::Flanger,
         "Flanger",
         "FlangerFrame",
         {{"Wet/Dry Mix", 5},
          {"Depth", 2},
          {"Feed back", 3},
          {"Freq", 0},
          {"Delay", 1},
          {"Phase", 4}}},
        {FxGroup::Reverb,
         "WaveReverb",
         "WaveFrame",
         {{"Gain", 0}, {"Reverb Mix", 2}, {"Reverb Time", 3}, {"High Freq.", 1}}},
    };
    return kFrames;
}

// The windows' names of the label buttons, boxes and sliders of each group.
const char* buttonName(FxGroup group) {
    static const char* const kNames[kFxGroups] = {"EchoButt", "CompButt",   "DistButt",
                                                  "EQButt",   "ChorusButt", "Flangerbutt",
                                                  "GargButt", "WaveButt"};
    return kNames[static_cast<int>(group)];
}

const char* boxName(FxGroup group) {
    static const char* const kNames[kFxGroups] = {
        "EchoValue",         "CompAdjustValue", "DistAdjustValue", "eqvalue",
        "ChorusAdjustValue", "FAdjustValue",    "GargAdjustValue", "WaveAdjustValue"};
    return kNames[static_cast<int>(group)];
}

const char* sliderName(FxGroup group) {
    static const char* const kNames[kFxGroups] = {
        "EAdjustSlider",      "CompAdjustSlider", "distAdjustSlider", "EQAdjustSlider",
        "ChorusAdjustSlider", "FAdjustSlider",    "GargAdjustSlider", "WaveAdjustSlider"};
    return kNames[static_cast<int>(group)];
}

}  // namespace

FxSlider::FxSlider(EffectsForm& form, FxGroup group, int box, QWidget* parent)
    : QWidget(parent), m_form(form), m_group(group), m_box(box) {
    setCursor(Qt::SizeVerCursor);
    setToolTip(tr("Drag to set the value"));
}

QSize FxSlider::sizeHint() const {
    return {22, kTrackPixels + kKnobHeight + 2};
}

int FxSlider::knobTop() const {
    return m_form.sliderTop(m_group, m_box) / kTwipsPerPixel;
}

void FxSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int middle = width() / 2;
    painter.setPen(QPen(palette().mid().color(), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(middle, kKnobHeight / 2, middle, kTrackPixels + kKnobHeight / 2);
    painter.setPen(QPen(palette().dark().color(), 1));
    painter.setBrush(palette().button());
    painter.drawRoundedRect(QRectF(2, knobTop(), width() - 4, kKnobHeight), 2, 2);
}

void FxSlider::mousePressEvent(QMouseEvent* event) {
    m_dragging = event->button() == Qt::LeftButton;
    mouseMoveEvent(event);
}

void FxSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) return;
    if (m_form.dragSlider(m_group, m_box, event->position().y())) {
        update();
        emit moved();
    }
}

void FxSlider::mouseReleaseEvent(QMouseEvent*) {
    if (!m_dragging) return;
    m_dragging = false;
    m_form.releaseSlider(m_group, m_box);
    emit moved();
}

FXform::FXform(EffectsForm& form, QWidget* parent) : QDialog(parent), m_form(form) {
    setObjectName(QStringLiteral("FXform"));
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
    for (const Frame& frame : frames()) {
        auto* button = new QPushButton(tr(frame.button));
        button->setObjectName(QLatin1String(buttonName(frame.group)));
        button->setCheckable(true);
        button->setAutoExclusive(true);
        connect(button, &QPushButton::clicked, this, [this, g = frame.group] { showFrame(g); });
        buttons->addWidget(button);
        m_frameButtons[static_cast<int>(frame.group)] = button;
        m_frames->addWidget(buildFrame(frame.group));
    }
    layout->addLayout(buttons);
    layout->addWidget(m_frames);

    m_Command15 = new QPushButton(tr("Apply"));
    m_Command15->setObjectName(QStringLiteral("Command15"));
    m_Command15->setToolTip(tr("Limit every value to its range and close"));
    connect(m_Command15, &QPushButton::clicked, this, [this] {
        apply();
        hide();
    });
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_Command15);
    layout->addLayout(bottom);

    showFrame(FxGroup::Echo);
    refresh();
}

QWidget* FXform::buildFrame(FxGroup group) {
    const int g = static_cast<int>(group);
    const auto& frame = *std::find_if(frames().begin(), frames().end(),
                                      [group](const Frame& f) { return f.group == group; });
    auto* widget = new QWidget;
    widget->setObjectName(QLatin1String(frame.name));
    auto* grid = new QGridLayout(widget);
    m_boxes[g].resize(EffectsForm::boxCount(group));
    m_sliders[g].resize(EffectsForm::boxCount(group));
    int column = 0;
    for (const Column& c : frame.columns) {
        auto* caption = new QLabel(tr(c.caption));
        caption->setAlignment(Qt::AlignCenter);
        caption->setWordWrap(true);
        auto* slider = new FxSlider(m_form, group, c.box);
        slider->setObjectName(
            QStringLiteral("%1(%2)").arg(QLatin1String(sliderName(group))).arg(c.box));
        auto* box = new QLineEdit;
        box->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(boxName(group))).arg(c.box));
        box->setToolTip(tr("Enter a db value"));
        box->setMaximumWidth(70);
        box->setAlignment(Qt::AlignCenter);
        connect(box, &QLineEdit::textEdited, this,
                [this, group, index = c.box](const QString& text) {
                    m_form.setText(group, index, text.toStdString());
                });
        connect(slider, &FxSlider::moved, this, [this, group, index = c.box] {
            m_boxes[static_cast<int>(group)][index]->setText(
                QString::fromStdString(m_form.text(group, index)));
        });
        grid->addWidget(caption, 0, column, Qt::AlignCenter);
        grid->addWidget(slider, 1, column, Qt::AlignHCenter);
        grid->addWidget(box, 2, column, Qt::AlignCenter);
        m_boxes[g][c.box] = box;
        m_sliders[g][c.box] = slider;
        ++column;
    }
    switch (group) {
        case FxGroup::Echo:
            addCheckBox(widget, Check::PanDelay, tr("Pan Delay"), 1, column);
            break;
        case FxGroup::Equaliser:
            addCheckBox(widget, Check::BassBoost, tr("Bass boost"), 1, column);
            addCheckBox(widget, Check::NoiseReduction, tr("Noise Reduction"), 2, column);
            break;
        case FxGroup::Chorus:
            addCheckBox(widget, Check::ChorusSine, tr("Sine"), 1, column);
            addCheckBox(widget, Check::ChorusTriangle, tr("Triangle"), 2, column);
            break;
        case FxGroup::Flanger:
            addCheckBox(widget, Check::FlangerSine, tr("Sine"), 1, column);
            addCheckBox(widget, Check::FlangerTriangle, tr("Triangle"), 2, column);
            break;
        case FxGroup::Gargle:
            addCheckBox(widget, Check::GargleSine, tr("Sine"), 1, column);
            addCheckBox(widget, Check::GargleTriangle, tr("Triangle"), 2, column);
            break;
        default:
            break;
    }
    grid->setColumnStretch(column + 1, 1);
    return widget;
}

void FXform::addCheckBox(QWidget* frame, Check which, const QString& caption, int row, int column) {
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

void FXform::checkBoxClicked(Check which, bool checked) {
    switch (which) {
        case Check::PanDelay:
            m_form.panDelay = checked;
            break;
        case Check::ChorusSine:
            m_form.chorusSine = checked;
            break;
        case Check::ChorusTriangle:
            m_form.chorusSine = !checked;
            break;
        case Check::FlangerSine:
            m_form.flangerSine = checked;
            break;
        case Check::FlangerTriangle:
            m_form.flangerSine = !checked;
            break;
        case Check::GargleSine:
            m_form.gargleSine = checked;
            break;
        case Check::GargleTriangle:
            m_form.gargleSine = !checked;
            break;
        case Check::BassBoost:
            m_form.setBassBoost(checked);
            break;
        case Check::NoiseReduction:
            m_form.setNoiseReduction(checked);
            break;
    }
    refresh();
}

void FXform::refresh() {
    for (int g = 0; g < kFxGroups; ++g)
        for (size_t b = 0; b < m_boxes[g].size(); ++b) {
            m_boxes[g][b]->setText(
                QString::fromStdString(m_form.text(static_cast<FxGroup>(g), static_cast<int>(b))));
            m_sliders[g][b]->update();
        }
    const auto set = [this](Check which, bool checked) {
        m_checks[static_cast<int>(which)]->setChecked(checked);
    };
    set(Check::PanDelay, m_form.panDelay);
    set(Check::ChorusSine, m_form.chorusSine);
    set(Check::ChorusTriangle, !m_form.chorusSine);
    set(Check::FlangerSine, m_form.flangerSine);
    set(Check::FlangerTriangle, !m_form.flangerSine);
    set(Check::GargleSine, m_form.gargleSine);
    set(Check::GargleTriangle, !m_form.gargleSine);
    set(Check::BassBoost, m_form.bassBoost);
    set(Check::NoiseReduction, m_form.noiseReduction);
}

void FXform::showFrame(FxGroup group) {
    const auto it = std::find_if(frames().begin(), frames().end(),
                                 [group](const Frame& f) { return f.group == group; });
    m_frames->setCurrentIndex(static_cast<int>(it - frames().begin()));
    m_frameButtons[static_cast<int>(group)]->setChecked(true);
}

FxGroup FXform::currentFrame() const {
    return frames().at(m_frames->currentIndex()).group;
}

QLineEdit* FXform::box(FxGroup group, int index) const {
    return m_boxes[static_cast<int>(group)].at(index);
}

FxSlider* FXform::slider(FxGroup group, int index) const {
    return m_sliders[static_cast<int>(group)].at(index);
}

QPushButton* FXform::frameButton(FxGroup group) const {
    return m_frameButtons[static_cast<int>(group)];
}

QCheckBox* FXform::checkBox(Check which) const {
    return m_checks[static_cast<int>(which)];
}

void FXform::apply() {
    m_form.apply();
    refresh();
}

void FXform::reject() {
    apply();
    QDialog::reject();
}

}  // namespace qn
