#pragma once

// The user's persistent settings: background picture and colour, the track
// instruments, the three playback modes and the sound font. They live in the "Properties"
// group of the program's QSettings store, every value a string, are read once
// at start-up and written once at shutdown; in between the window and its
// dialogs change the members directly.

#include <QColor>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class QSettings;

namespace qn {

class Settings {
  public:
    static constexpr int kTracks = 4;
    static constexpr uint8_t kPictureFile = 255;  // BackgroundImage: BackgroundFile is shown

    // Makes the program the handler of its documents on the first run;
    // returns an empty text on success, else the error description.
    using Registration = std::function<QString()>;

    // Reads the settings from `store` (its "Properties" group). On the first
    // run it calls `registerAssociation`; when that fails nothing is written,
    // the members keep their values and the error text is returned for the
    // window to show. Otherwise the first-run values are written and taken
    // over. Later runs read each key; a value that is missing or does not
    // convert leaves its member as it was. Returns an empty text on success.
    QString load(QSettings& store, const Registration& registerAssociation);

    // The picture number load() will give on a later run, read without
    // anything else, so that the picture can be drawn while the window is
    // built; the first run's picture when none is stored.
    static int storedPicture(QSettings& store);

    // Writes the members back, as shutdown does. Never writes "RegLoaded".
    void save(QSettings& store) const;

    // BackColorValue as a colour and back; its RGB number has red in the low
    // byte and blue in the high byte.
    QColor backColor() const;
    void setBackColor(const QColor& color);

    bool operator==(const Settings&) const = default;

    uint8_t BackgroundImage = 0;  // 101 none, 104..106 carried pictures, 255 BackgroundFile
    QString BackgroundFile;
    uint32_t BackColorValue = 0;                     // 0x00BBGGRR
    std::array<int16_t, kTracks> TrackInstrument{};  // General MIDI programs 0..127
    bool TeachMode = false;
    bool KaraokeMode = false;
    bool PlayerPianoMode = false;
    // Seconds from a change to its recovery copy; 0: no autosave. Key "autosave",
    // set by hand and never written back.
    int autosaveSeconds = 30;
    // Key "soundfont": the font chosen in Options or set by hand; empty: none chosen.
    QString soundFont{};

  private:
    void writeFirstRunValues(QSettings& store);
    void readValues(const QSettings& store);
};

}  // namespace qn
