#include "synthsetup.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "soundlibraries.h"
#include "soundlog.h"

namespace qn {

namespace {

bool fluidSynthReady(QString* error) {
    if (!loadFluidSynth(error)) return false;
    routeFluidSynthLog();
    return true;
}

}  // namespace

bool soundFontExists(const QString& soundFont, QString* error) {
    if (QFileInfo(soundFont).isFile()) return true;
    *error = QStringLiteral("The sound font %1 does not exist.").arg(soundFont);
    return false;
}

bool checkSoundFont(const QString& soundFont, QString* error) {
    if (!soundFontExists(soundFont, error) || !fluidSynthReady(error)) return false;
    if (!fluid().is_soundfont(QFile::encodeName(soundFont).constData())) {
        *error = QStringLiteral("%1 is not a SoundFont file.").arg(soundFont);
        return false;
    }
    return true;
}

std::optional<SynthCore> createSynth(double sampleRate, const QString& soundFont, QString* error) {
    if (!fluidSynthReady(error)) return std::nullopt;
    SynthCore core;
    core.settings.reset(fluid().new_settings());
    if (!core.settings) {
        *error = QStringLiteral("The synthesiser's settings could not be created.");
        return std::nullopt;
    }
    fluid_settings_t* s = core.settings.get();
    fluid().settings_setnum(s, "synth.sample-rate", sampleRate);
    fluid().settings_setnum(s, "synth.gain", kBaseGain);
    // Reverb and chorus belong to the effect chain; FluidSynth's own
    // would double them and keep ringing after Stop.
    fluid().settings_setint(s, "synth.reverb.active", 0);
    fluid().settings_setint(s, "synth.chorus.active", 0);
    fluid().settings_setint(s, "synth.dynamic-sample-loading", 1);

    core.synth.reset(fluid().new_synth(s));
    if (!core.synth) {
        *error = QStringLiteral("The synthesiser could not be created.");
        return std::nullopt;
    }
    if (!checkSoundFont(soundFont, error)) return std::nullopt;
    const QByteArray path = QFile::encodeName(soundFont);
    core.fontId = fluid().synth_sfload(core.synth.get(), path.constData(), 1);
    if (core.fontId == FLUID_FAILED) {
        *error = QStringLiteral("The sound font %1 could not be loaded.").arg(soundFont);
        return std::nullopt;
    }
    return core;
}

float gainForVolume(int hundredthsOfDb) {
    const int volume = std::clamp(hundredthsOfDb, kMinVolume, kMaxVolume);
    return kBaseGain * static_cast<float>(std::pow(10.0, volume / 2000.0));
}

}  // namespace qn
