#include "windowsound.h"

#include <QBrush>
#include <QGraphicsRectItem>
#include <QScreen>
#include <algorithm>

#include "clocktimer.h"
#include "dialogs.h"
#include "effectsdialogvalues.h"
#include "karaokewindow.h"
#include "pianokeys.h"
#include "sound/engine/effectprocessor.h"
#include "staff/labelitem.h"
#include "staff/rgbnumber.h"
#include "staff/staffscene.h"

namespace qn {

WindowSound::WindowSound(Composition& composition, EditState& edit,
                         std::unique_ptr<AudioEngine> engine, SoundWidgets widgets,
                         EffectsDialogValues& effects, Dialogs& dialogs, QObject* parent)
    : QObject(parent),
      m_composition(composition),
      m_widgets(widgets),
      m_effects(effects),
      m_dialogs(dialogs),
      m_engine(std::move(engine)),
      m_playback(composition, edit, *m_engine, *this, m_lights),
      m_clock(composition, edit, *m_engine, m_playback.state(), m_lights),
      m_piano(composition, edit, *m_engine, m_lights, *this) {
    m_clockTimer = new ClockTimer(m_clock, *this, this);
    m_playback.setFX([this] { return FX(); });
    m_piano.hooks().FX = [this] { return FX(); };
    m_piano.hooks().clockRunning = [this] { return clockRunning(); };
}

WindowSound::~WindowSound() = default;

KaraokeWindow& WindowSound::karaoke() {
    // Made when karaoke first shows anything: most sessions never need it,
    // and building it delayed the main window's first paint.
    if (!m_karaoke) m_karaoke = new KaraokeWindow(m_widgets.window);
    return *m_karaoke;
}

bool WindowSound::clockRunning() const {
    return m_clockTimer->isRunning();
}

void WindowSound::setRecordMode(std::function<bool()> recordMode) {
    m_piano.hooks().recordMode = std::move(recordMode);
}

void WindowSound::setTeachModeHandler(std::function<void(bool)> handler) {
    m_piano.hooks().setTeachMode = [this, handler = std::move(handler)](bool on) {
        m_playback.state().TeachMode = on;
        handler(on);
    };
}

void WindowSound::setModes(bool karaoke, bool playerPiano, bool teach) {
    PlaybackState& s = m_playback.state();
    s.KaraokeMode = karaoke;
    s.PlayerPianoMode = playerPiano;
    s.TeachMode = teach;
}

bool WindowSound::FX() {
    if (!m_engine->hasLoaded()) {
        m_dialogs.message(QMessageBox::Information, tr("No buffer"),
                          tr("You must first load an audio file before you can apply effects "
                             "to it."));
        return false;
    }
    std::string error;
    auto chain = makeEffectChain(m_effects, m_composition.Effects, m_engine->sampleRate(), &error);
    if (!chain) {
        // The sound goes on, without effects.
        m_engine->setAudioProcessor(nullptr);
        m_dialogs.message(QMessageBox::NoIcon, tr("Quillnote"), tr("FX error"),
                          QString::fromStdString(error));
        return false;
    }
    m_engine->setAudioProcessor(
        chain->empty() ? nullptr : std::make_unique<EffectProcessor>(std::move(chain)));
    return true;
}

void WindowSound::release() {
    if (clockRunning()) {
        m_engine->stop();
        m_clockTimer->stop();
    }
    m_engine->stop();
    m_engine->setAudioProcessor(nullptr);
}

void WindowSound::setStopBoxColor(uint32_t color) {
    m_widgets.StopBox->setBrush(colorFromRgbNumber(color));
}

void WindowSound::setPauseBarsColor(uint32_t color) {
    for (QGraphicsRectItem* bar : m_widgets.PauseBar)
        bar->setBrush(colorFromRgbNumber(color));
}

void WindowSound::startClockTimer() {
    m_clockTimer->start();
}
void WindowSound::stopClockTimer() {
    m_clockTimer->stop();
}
bool WindowSound::clockTimerRunning() const {
    return m_clockTimer->isRunning();
}

void WindowSound::showCritical(const std::string& title, const std::string& text) {
    m_dialogs.message(QMessageBox::Critical, QString::fromStdString(title),
                      QString::fromStdString(text));
}

void WindowSound::apply(const DisplayChanges& changes) {
    if (changes.redrawStaff) m_widgets.staff->RedrawStaff();
    for (const ItemColor& lyric : changes.lyricColors)
        m_widgets.staff->setLyricBackground(lyric.index, colorFromRgbNumber(lyric.color));
    for (const ItemColor& key : changes.keyColors)
        m_widgets.keys->setKeyColor(key.index, key.color);
    if (changes.timeText) m_widgets.TimeDisplay->setText(QString::fromStdString(*changes.timeText));
    if (changes.noteNumberText)
        m_widgets.NoteNumDisplay->setText(QString::fromStdString(*changes.noteNumberText));
    if (!changes.vocLabels && !changes.ballLeft && !changes.showKaraoke) return;
    if (changes.showKaraoke && !m_karaokePlaced) placeKaraoke();
    karaoke().apply(changes);
}

void WindowSound::placeKaraoke() {
    // Below the main window, where it hides neither the staves nor the lit
    // keys; pulled up onto the screen when there is no room. Afterwards it
    // stays where the user puts it.
    m_karaokePlaced = true;
    const QRect main = m_widgets.window->frameGeometry();
    QPoint corner(main.left(), main.bottom() + 1);
    if (const QScreen* screen = m_widgets.window->screen()) {
        const QRect room = screen->availableGeometry();
        const int height = karaoke().frameGeometry().height();
        corner.setY(std::min(corner.y(), room.bottom() - height));
        corner.setX(std::clamp(corner.x(), room.left(), room.right() - karaoke().width()));
    }
    karaoke().move(corner);
}

void WindowSound::DrawNoteGlyph(int slot, int pitch, int length, int velocity) {
    m_widgets.staff->drawGlyph(slot, pitch, length, velocity);
}

void WindowSound::RedrawStaff() {
    m_widgets.staff->RedrawStaff();
}
void WindowSound::UpdateSlider() {
    m_widgets.staff->UpdateSlider();
}
void WindowSound::ClearSelectionDisplay() {
    m_widgets.staff->ClearSelectionDisplay();
}
int WindowSound::noteVolume() const {
    return m_widgets.staff->noteVolume();
}

void WindowSound::setKeyColor(int k, uint32_t rgb) {
    m_widgets.keys->setKeyColor(k, rgb);
}

}  // namespace qn
