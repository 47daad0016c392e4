#pragma once

// The octave dialog ("Set Octave") for one track: options 1 to 6, OK and
// Cancel, centred on the screen, not modal. It keeps the track it was opened
// for, whatever happens in the main window meanwhile. An octave outside 1..6
// (a file may hold any digit) preselects no option, so OK without a choice
// keeps it. The window deletes the dialog when it closes. UI thread only.

#include <QDialog>

class QButtonGroup;
class QLabel;

namespace qn {

class OctaveDialog : public QDialog {
    Q_OBJECT
  public:
    explicit OctaveDialog(QWidget* parent = nullptr);

    // Aims the dialog at track `track` (0..3) whose octave is `octave`.
    void openFor(int track, int octave);
    int track() const { return m_track; }
    // The selected option's octave, 0 when none is selected.
    int chosenOctave() const;
    QString title() const;

  signals:
    // OK with an option selected.
    void octaveChosen(int track, int octave);

  private:
    void cmdOK_Click();
    void centreOnScreen();

    QLabel* m_title = nullptr;
    QButtonGroup* m_options = nullptr;
    int m_track = 0;
};

}  // namespace qn
