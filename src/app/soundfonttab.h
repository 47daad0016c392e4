#pragma once

// The Options dialog's "Sound" tab: the General MIDI sound fonts found in the
// usual folders with their sizes, the one in use marked, and Browse... for
// any other file. It only keeps the choice; the dialog applies it on OK.
// UI thread only.

#include <QWidget>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace qn {

class Dialogs;
struct FoundSoundFont;

class SoundFontTab : public QWidget {
    Q_OBJECT
  public:
    explicit SoundFontTab(Dialogs& dialogs, QWidget* parent = nullptr);

    // Lists the fonts found (again), marks `inUse` (empty: not known) and
    // starts the choice at it.
    void showFonts(const QString& inUse);
    // Browse...: a sound font picked in the file dialog becomes the choice.
    void Browse_Click();

    // The selected font's path; empty when none is selected.
    QString chosen() const;
    const QString& inUse() const { return m_inUse; }

  private:
    QTreeWidgetItem* addFont(const FoundSoundFont& font);
    // The entry of `path`, added to the list when it is not there yet.
    QTreeWidgetItem* entry(const QString& path);

    Dialogs& m_dialogs;
    QString m_inUse;
    QLabel* m_variableNote = nullptr;
    QTreeWidget* m_list = nullptr;
    QLabel* m_inUseLabel = nullptr;
};

}  // namespace qn
