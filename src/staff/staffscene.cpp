#include "staffscene.h"

#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>

#include "clientscene.h"
#include "glyphitem.h"
#include "labelitem.h"
#include "lyricbox.h"
#include "staffpictures.h"
#include "thumbitem.h"

namespace qn {

namespace {

constexpr int kScrollRepeatMs = 10;
constexpr int kBandTrackerMs = 100;
const QColor kActiveLabel(0, 0, 0);
const QColor kInactiveLabel(160, 160, 160);

}  // namespace

StaffScene::StaffScene(QGraphicsScene& scene, Composition& composition, EditState& edit,
                       QObject* parent)
    : QObject(parent ? parent : &scene),
      m_scene(&scene),
      m_edit(edit),
      m_controller(composition, edit),
      m_items(staff::createStaffItems(scene)) {
    m_scrollTimer = new QTimer(this);
    m_scrollTimer->setInterval(kScrollRepeatMs);
    connect(m_scrollTimer, &QTimer::timeout, this,
            [this] { run([this] { m_controller.scrollTimerTick(); }); });
    m_bandTimer = new QTimer(this);
    m_bandTimer->setInterval(kBandTrackerMs);
    connect(m_bandTimer, &QTimer::timeout, this,
            [this] { run([this] { m_controller.bandTrackerTick(); }); });

    {
        const QSignalBlocker blockDivision(m_items.divisionSlider);
        const QSignalBlocker blockVolume(m_items.NoteVolume);
        m_items.divisionSlider->setValue(composition.Division);
        m_items.NoteVolume->setValue(edit.DefaultVelocity);
    }
    connectItems();
    if (auto* client = qobject_cast<ClientScene*>(&scene)) {
        connect(client, &ClientScene::backgroundPressed, this, &StaffScene::backgroundMousePress);
        connect(client, &ClientScene::backgroundMoved, this, &StaffScene::backgroundMouseMove);
        connect(client, &ClientScene::backgroundReleased, this,
                &StaffScene::backgroundMouseRelease);
        connect(client, &ClientScene::backgroundClicked, this, &StaffScene::backgroundClicked);
    }
    show(m_controller.takeChanges());
}

StaffScene::~StaffScene() {
    // When the scene goes first it has already deleted the items.
    if (!m_scene) return;
    // No handler may reach the items while they go.
    m_scene.clear();
    for (QGraphicsItem* item : m_items.all)
        delete item;
}

void StaffScene::connectItems() {
    for (int t = 0; t < kTrackCount; ++t) {
        connect(m_items.Bar[t], &staff::LabelItem::clicked, this,
                [this, t] { trackLabelClick(t); });
        connect(m_items.OctLabel[t], &staff::LabelItem::clicked, this,
                [this, t] { emit octaveLabelClicked(t); });
        connect(m_items.InstLabel[t], &staff::LabelItem::clicked, this,
                [this, t] { emit instrumentLabelClicked(t); });
    }
    for (int g = 0; g < staff::kGlyphSlots; ++g)
        connect(m_items.VolLabel[g], &staff::LabelItem::clicked, this,
                [this, g] { run([this, g] { m_controller.velocityLabelClick(g); }); });
    for (int c = 0; c < staff::kColumns; ++c)
        connect(m_items.Lyric[c], &staff::LyricBox::focusLost, this, [this, c] { storeLyric(c); });

    const auto onButton = [this](QPushButton* button, auto hold, auto step) {
        connect(button, &QPushButton::pressed, this, [this, hold] { run([=] { hold(true); }); });
        connect(button, &QPushButton::released, this, [this, hold] { run([=] { hold(false); }); });
        connect(button, &QPushButton::clicked, this, [this, step] { run(step); });
    };
    onButton(
        m_items.ScrollBack, [this](bool held) { m_controller.setScrollBackHeld(held); },
        [this] { m_controller.stepBack(); });
    onButton(
        m_items.ScrollUp, [this](bool held) { m_controller.setScrollForwardHeld(held); },
        [this] { m_controller.stepForward(); });

    connect(m_items.SliderBar, &staff::ThumbItem::pressed, this,
            [this](double x) { run([=, this] { m_controller.thumbDown(x); }); });
    connect(m_items.SliderBar, &staff::ThumbItem::moved, this,
            [this](double x) { run([=, this] { m_controller.thumbMove(x); }); });
    connect(m_items.SliderBar, &staff::ThumbItem::released, this,
            [this] { run([this] { m_controller.thumbUp(); }); });

    connect(m_items.divisionSlider, &QSlider::valueChanged, this,
            [this](int value) { run([=, this] { m_controller.divisionChanged(value); }); });
    connect(m_items.NoteVolume, &QSlider::valueChanged, this,
            [this](int value) { run([=, this] { m_controller.noteVolumeChanged(value); }); });
}

StaffScene::Watched StaffScene::watched() const {
    return {m_edit.ActiveTrack, m_edit.SelActive, m_edit.SelTrackFrom,
            m_edit.SelTrackTo,  m_edit.SelStart,  m_edit.SelEnd};
}

template <typename Operation>
void StaffScene::run(Operation&& operation) {
    if (!m_scene) return;  // the items went with the scene
    const Watched before = watched();
    // A redraw would otherwise overwrite the text, and a command would miss it.
    commitTypedLyrics();
    operation();
    const staff::StaffChanges changes = m_controller.takeChanges();
    show(changes);

    const Watched after = watched();
    if (after.activeTrack != before.activeTrack) emit activeTrackChanged(after.activeTrack);
    if (changes.composition || after != before) emit compositionEdited();
    if (changes.backgroundMouseUp) emit backgroundMouseUp();
}

void StaffScene::show(const staff::StaffChanges& changes) {
    for (int g = 0; g < staff::kGlyphSlots; ++g)
        if (changes.glyphs.test(g)) showGlyph(g);
    if (changes.lyrics) {
        for (int c = 0; c < staff::kColumns; ++c) {
            const QString text = QString::fromStdString(m_controller.lyricText(c));
            if (m_items.Lyric[c]->text() != text) m_items.Lyric[c]->setText(text);
        }
    }
    if (changes.noteNumber)
        m_items.NoteNumber->setText(QString::fromStdString(m_controller.noteNumberText()));
    if (changes.thumb) {
        const staff::ThumbGeometry thumb = m_controller.thumb();
        m_items.SliderBar->setGeometry(thumb.left, thumb.width);
    }
    if (changes.band) showBand();
    if (changes.guideLines)
        for (int k = 20; k < staff::kStaffLineItems; ++k)
            m_items.staffLines[k]->setVisible(m_controller.guideLinesVisible());
    if (changes.clefs) {
        m_items.clefs[1]->setVisible(!m_controller.bassClefShown());
        m_items.clefs[4]->setVisible(m_controller.bassClefShown());
    }
    if (changes.octaveLabels)
        for (int t = 0; t < kTrackCount; ++t)
            m_items.OctLabel[t]->setText(QString::fromStdString(m_controller.octaveLabel(t)));
    showTrackLabels();

    if (m_controller.scrollButtonHeld() != m_scrollTimer->isActive()) {
        if (m_controller.scrollButtonHeld())
            m_scrollTimer->start();
        else
            m_scrollTimer->stop();
    }
    if (m_controller.bandTrackerRunning() != m_bandTimer->isActive()) {
        if (m_controller.bandTrackerRunning())
            m_bandTimer->start();
        else
            m_bandTimer->stop();
    }
}

void StaffScene::showGlyph(int slot) {
    const staff::GlyphState& glyph = m_controller.glyph(slot);
    m_items.glyph[slot]->setGlyph(glyph);
    m_items.VolLabel[slot]->setPos(glyph.labelX, glyph.labelY);
}

void StaffScene::showBand() {
    const staff::BandRectangle& b = m_controller.band();
    m_items.buffer[0]->setLine(b.startX, b.startY, b.startX, b.endY);
    m_items.buffer[1]->setLine(b.startX, b.startY, b.endX, b.startY);
    m_items.buffer[2]->setLine(b.endX, b.startY, b.endX, b.endY);
    m_items.buffer[3]->setLine(b.startX, b.endY, b.endX, b.endY);
    for (QGraphicsLineItem* line : m_items.buffer)
        line->setVisible(b.visible);
}

void StaffScene::showTrackLabels() {
    for (int t = 0; t < kTrackCount; ++t)
        m_items.Bar[t]->setTextColour(t == m_edit.ActiveTrack ? kActiveLabel : kInactiveLabel);
}

void StaffScene::commitTypedLyrics() {
    for (int c = 0; c < staff::kColumns; ++c) {
        staff::LyricBox* box = m_items.Lyric[c];
        // Only typing marks a box; the texts a redraw shows do not.
        if (!box->isModified()) continue;
        box->setModified(false);
        const std::string text = box->text().toStdString();
        if (text != m_controller.lyricText(c)) m_controller.lyricTyped(c, text);
    }
}

void StaffScene::storeTypedLyrics() {
    run([] {});
}

void StaffScene::storeLyric(int box) {
    const std::string text = m_items.Lyric[box]->text().toStdString();
    run([&] { m_controller.lyricEdited(box, text); });
}

void StaffScene::RedrawStaff() {
    run([this] { m_controller.RedrawStaff(); });
}

void StaffScene::UpdateSlider() {
    run([this] { m_controller.UpdateSlider(); });
}

void StaffScene::ShowSelection() {
    run([this] { m_controller.ShowSelection(); });
}

void StaffScene::ClearSelectionDisplay() {
    run([this] { m_controller.ClearSelectionDisplay(); });
}

void StaffScene::apply(const CommandResult& result) {
    run([&] { m_controller.apply(result); });
}

void StaffScene::drawGlyph(int slot, int pitch, int length, int velocity) {
    run([=, this] { m_controller.DrawNoteGlyph(slot, pitch, length, velocity); });
}

void StaffScene::trackLabelClick(int track) {
    run([=, this] { m_controller.trackLabelClick(track); });
}

void StaffScene::BassClef_Click() {
    run([this] { m_controller.BassClef_Click(); });
}

void StaffScene::setBassClef(bool on) {
    run([=, this] { m_controller.setBassClef(on); });
}

void StaffScene::setExpandedScale(bool on) {
    run([=, this] { m_controller.setExpandedScale(on); });
}

void StaffScene::setInstrumentLabel(int track, const QString& text, const QString& toolTip) {
    if (!isTrack(track)) return;
    m_items.InstLabel[track]->setText(text);
    m_items.InstLabel[track]->setToolTip(toolTip);
}

void StaffScene::setOctaveLabel(int track, const QString& text) {
    run([&] { m_controller.setOctaveLabel(track, text.toStdString()); });
}

QString StaffScene::octaveLabel(int track) const {
    return isTrack(track) ? m_items.OctLabel[track]->text() : QString();
}

void StaffScene::setDivisionSlider(int value) {
    const QSignalBlocker block(m_items.divisionSlider);
    m_items.divisionSlider->setValue(value);
}

void StaffScene::setNoteVolumeSlider(int value) {
    const QSignalBlocker block(m_items.NoteVolume);
    m_items.NoteVolume->setValue(value);
}

int StaffScene::noteVolume() const {
    return m_items.NoteVolume->value();
}

void StaffScene::setLyricBackground(int box, const QColor& colour) {
    if (box < 0 || box >= staff::kColumns) return;
    QPalette palette = m_items.Lyric[box]->palette();
    palette.setColor(QPalette::Base, colour);
    m_items.Lyric[box]->setPalette(palette);
}

void StaffScene::backgroundMousePress(QPointF pos, Qt::MouseButton) {
    run([=, this] { m_controller.mouseDown(pos.x(), pos.y()); });
}

void StaffScene::backgroundMouseMove(QPointF pos, Qt::MouseButtons buttons) {
    const bool left = buttons.testFlag(Qt::LeftButton);
    run([=, this] { m_controller.mouseMove(pos.x(), pos.y(), left); });
}

void StaffScene::backgroundMouseRelease(QPointF pos, Qt::MouseButton) {
    run([=, this] { m_controller.mouseUp(pos.x(), pos.y()); });
}

}  // namespace qn
