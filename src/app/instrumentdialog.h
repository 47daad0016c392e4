#pragma once

// The track instrument dialog ("Change Instruments"): the 128 General MIDI
// programs as exclusive option buttons, one box per track showing the
// instrument the dialog last gave it, "Set Track" buttons that give the
// selected program to a track, and Preview. Not modal; OK, Escape and the
// close box only hide it, so its selection survives to the next opening.
// UI thread only.

#include <QDialog>
#include <array>
#include <cstdint>

#include "model/composition.h"

class QButtonGroup;
class QLineEdit;

namespace qn {

class InstrumentDialog : public QDialog {
    Q_OBJECT
  public:
    // `programs`: the instruments the track boxes start with.
    explicit InstrumentDialog(const std::array<int16_t, kTrackCount>& programs,
                              QWidget* parent = nullptr);

    int selectedProgram() const;
    void selectProgram(int program);
    QString trackBoxText(int track) const;

    // "Set Track t + 1": the box shows the selected instrument and `trackSet` asks
    // the window to give it to the track.
    void SetTrakInst_Click(int track);

  signals:
    void trackSet(int track, int program);
    void previewRequested(int program);

  private:
    QWidget* buildTrackPanel();
    void sizeToScreen(QWidget* options, QWidget* panel);

    QButtonGroup* m_programs = nullptr;
    std::array<QLineEdit*, kTrackCount> m_trackBoxes{};
};

}  // namespace qn
