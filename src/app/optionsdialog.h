#pragma once

// The options dialog ("Options / Properties"): the main window's background
// picture and colour on one tab, the composition's name, author, copyright,
// note counts and playing length on the next, the sound font on the last
// (SoundFontTab). Created once and only shown
// and hidden afterwards; not modal. The name, author and copyright boxes edit
// the composition directly, so Cancel keeps what was typed. The window reads
// `state()` when `finished` arrives. UI thread only.

#include <QDialog>
#include <array>
#include <functional>

#include "model/composition.h"
#include "optionsstate.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace qn {

class Dialogs;
class Settings;
class SoundFontTab;

class OptionsDialog : public QDialog {
    Q_OBJECT
  public:
    OptionsDialog(Settings& settings, Composition& composition, Dialogs& dialogs,
                  QWidget* parent = nullptr);

    // The Options command: fills the dialog from the settings and the
    // composition and shows it.
    void showOptions();
    const OptionsState& state() const { return m_state; }
    SoundFontTab* soundTab() const { return m_soundTab; }

    // Where the Sound tab learns the font in use (empty: not known) and where OK
    // hands a different font chosen there.
    void setSoundFontHandlers(std::function<QString()> inUse,
                              std::function<void(const QString& path)> chosen);

    // The buttons' handlers, also driven by tests.
    void Imagelist_Click(const QString& text);
    void Browse_Click();
    void ChangeBackColor_Click();
    void OK_Click();

  private:
    QWidget* buildGeneralTab();
    QWidget* buildPropertiesTab();
    void showPreview(int number, const QString& file);
    void showColor(uint32_t rgb);

    Settings& m_settings;
    Composition& m_composition;
    Dialogs& m_dialogs;
    OptionsState m_state;

    QTabWidget* m_tabs = nullptr;
    QComboBox* m_imageList = nullptr;
    QLabel* m_preview = nullptr;
    QFrame* m_colorBox = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_author = nullptr;
    QLineEdit* m_copyright = nullptr;
    std::array<QLineEdit*, kTrackCount> m_noteCounts{};
    QLineEdit* m_length = nullptr;
    SoundFontTab* m_soundTab = nullptr;
    std::function<QString()> m_soundFontInUse;
    std::function<void(const QString& path)> m_soundFontChosen;
};

}  // namespace qn
