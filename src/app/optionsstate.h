#pragma once

// What the options dialog decides, without its widgets: the playing-length
// text, the picture list names, and which picture and colour are pending
// until OK. Nothing here is applied to the window: the window reads
// `pictureToShow` when the dialog closes.

#include <QString>
#include <QStringList>
#include <cstdint>

#include "settings.h"

namespace qn {

// The playing length of `songLength` notes at `division` ticks per quarter:
// songLength × 201 / (division × 10) seconds, rounded (halves to even), as the
// minutes with one leading blank, a colon and two digits of seconds (" 1:05").
QString playingLengthText(int songLength, int division);

// The picture list's entries, in list order.
QStringList pictureListNames();
// The picture number of a list entry (compared exactly), 0 for any other text.
int pictureNumberOfName(const QString& name);
// The list entry that shows `number`: "None" for 101 and every number without an entry.
QString pictureNameOfNumber(int number);

class OptionsState {
  public:
    // The dialog opens: an unset picture becomes "None"; the pending values
    // start from the settings and the reply is "cancel" until OK.
    void open(Settings& settings);
    // A list entry chosen; false (and nothing changes) for a text that is no entry.
    bool chooseListEntry(const QString& text);
    // Browse returned `path` (empty on Cancel); `loaded` says whether it loaded as
    // a picture. The path is kept either way; only a loaded one becomes pending.
    void browsed(const QString& path, bool loaded);
    // A colour chosen as an RGB number; 0 means no choice and changes nothing.
    bool chooseColor(uint32_t rgb);
    // OK: the pending values become the settings. `listText` is the list's entry.
    void ok(Settings& settings, const QString& listText);
    void cancel() { m_accepted = false; }

    bool accepted() const { return m_accepted; }
    int pendingImage() const { return m_pendingImage; }
    uint32_t pendingColor() const { return m_pendingColor; }
    const QString& chosenFile() const { return m_chosenFile; }
    // After OK, the picture the window shows: Settings::kPictureFile for the
    // picture file, else the number of the list entry left at OK.
    int pictureToShow(const Settings& settings) const;

  private:
    int m_pendingImage = 0;
    uint32_t m_pendingColor = 0;
    QString m_chosenFile;
    QString m_pictureName;
    bool m_accepted = false;
};

}  // namespace qn
