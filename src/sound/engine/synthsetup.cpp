#include "synthsetup.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "soundlog.h"

namespace qn {

namespace {

uint32_t bigEndian32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// Reads a variable-length quantity at `at`; false when it runs past `end`.
bool readVarLength(const uint8_t* bytes, size_t end, size_t& at, uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (at >= end) return false;
        const uint8_t b = bytes[at++];
        value = (value << 7) | (b & 0x7Fu);
        if (!(b & 0x80)) return true;
    }
    return false;
}

// The ticks up to the track's end-of-track event (or its last event).
std::optional<uint32_t> trackTicks(const uint8_t* bytes, size_t at, size_t end) {
    uint32_t ticks = 0;
    uint8_t running = 0;  // running status: the last channel message's status byte
    while (at < end) {
        uint32_t delta = 0;
        if (!readVarLength(bytes, end, at, delta) || at >= end) return std::nullopt;
        ticks += delta;
        const uint8_t status = bytes[at] >= 0x80 ? bytes[at++] : running;
        if (status == 0xFF) {  // meta event: type, length, data
            if (at >= end) return std::nullopt;
            const uint8_t type = bytes[at++];
            uint32_t length = 0;
            if (!readVarLength(bytes, end, at, length) || length > end - at) return std::nullopt;
            at += length;
            if (type == 0x2F) return ticks;
        } else if (status == 0xF0 || status == 0xF7) {  // system exclusive: length, data
            uint32_t length = 0;
            if (!readVarLength(bytes, end, at, length) || length > end - at) return std::nullopt;
            at += length;
        } else if (status >= 0x80 && status < 0xF0) {
            running = status;
            const size_t dataBytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
            if (dataBytes > end - at) return std::nullopt;
            at += dataBytes;
        } else {
            return std::nullopt;  // data without a status, or a system message
        }
    }
    return ticks;
}

}  // namespace

bool checkSoundFont(const QString& soundFont, QString* error) {
    if (!QFileInfo(soundFont).isFile()) {
        *error = QStringLiteral("The sound font %1 does not exist.").arg(soundFont);
        return false;
    }
    if (!fluid_is_soundfont(QFile::encodeName(soundFont).constData())) {
        *error = QStringLiteral("%1 is not a SoundFont file.").arg(soundFont);
        return false;
    }
    return true;
}

std::optional<SynthCore> createSynth(double sampleRate, const QString& soundFont, QString* error) {
    routeFluidSynthLog();
    SynthCore core;
    core.settings.reset(new_fluid_settings());
    if (!core.settings) {
        *error = QStringLiteral("The synthesiser's settings could not be created.");
        return std::nullopt;
    }
    fluid_settings_t* s = core.settings.get();
    fluid_settings_setnum(s, "synth.sample-rate", sampleRate);
    fluid_settings_setnum(s, "synth.gain", kBaseGain);
    // Reverb and chorus belong to the effect chain; FluidSynth's own
    // would double them and keep ringing after Stop.
    fluid_settings_setint(s, "synth.reverb.active", 0);
    fluid_settings_setint(s, "synth.chorus.active", 0);
    // Playback time is the audio clock: the player advances with the samples rendered.
    fluid_settings_setstr(s, "player.timing-source", "sample");
    // No system reset when a file ends: it would cut the last note's release.
    // The engine resets the synth itself when a new file is loaded.
    fluid_settings_setint(s, "player.reset-synth", 0);

    core.synth.reset(new_fluid_synth(s));
    if (!core.synth) {
        *error = QStringLiteral("The synthesiser could not be created.");
        return std::nullopt;
    }
    if (!checkSoundFont(soundFont, error)) return std::nullopt;
    const QByteArray path = QFile::encodeName(soundFont);
    if (fluid_synth_sfload(core.synth.get(), path.constData(), 1) == FLUID_FAILED) {
        *error = QStringLiteral("The sound font %1 could not be loaded.").arg(soundFont);
        return std::nullopt;
    }
    return core;
}

float gainForVolume(int hundredthsOfDb) {
    const int volume = std::clamp(hundredthsOfDb, kMinVolume, kMaxVolume);
    return kBaseGain * static_cast<float>(std::pow(10.0, volume / 2000.0));
}

bool isStandardMidiFile(const uint8_t* bytes, size_t size) {
    constexpr size_t kChunkHeader = 8;
    if (size < kChunkHeader + 6 || std::memcmp(bytes, "MThd", 4) != 0) return false;
    const uint32_t headerLength = bigEndian32(bytes + 4);
    if (headerLength < 6 || headerLength > size - kChunkHeader) return false;
    const int format = (bytes[8] << 8) | bytes[9];
    const int tracks = (bytes[10] << 8) | bytes[11];
    const int division = (bytes[12] << 8) | bytes[13];
    if (format > 2 || tracks < 1 || division == 0) return false;
    // Every announced track chunk must lie inside the bytes; other chunks are skipped.
    size_t at = kChunkHeader + headerLength;
    int found = 0;
    while (found < tracks) {
        if (size - at < kChunkHeader) return false;
        const uint32_t length = bigEndian32(bytes + at + 4);
        if (length > size - at - kChunkHeader) return false;
        if (std::memcmp(bytes + at, "MTrk", 4) == 0) ++found;
        at += kChunkHeader + length;
    }
    return true;
}

std::optional<uint32_t> midiEndTick(const std::vector<uint8_t>& midiFile) {
    if (!isStandardMidiFile(midiFile)) return std::nullopt;
    const uint8_t* bytes = midiFile.data();
    const int tracks = (bytes[10] << 8) | bytes[11];
    size_t at = 8 + bigEndian32(bytes + 4);
    uint32_t endTick = 0;
    for (int found = 0; found < tracks;) {
        const size_t dataAt = at + 8;
        const size_t end = dataAt + bigEndian32(bytes + at + 4);
        if (std::memcmp(bytes + at, "MTrk", 4) == 0) {
            const auto ticks = trackTicks(bytes, dataAt, end);
            if (!ticks) return std::nullopt;
            endTick = std::max(endTick, *ticks);
            ++found;
        }
        at = end;
    }
    return endTick;
}

FluidPlayer createPlayer(fluid_synth_t* synth, const std::vector<uint8_t>& midiFile, int passes) {
    FluidPlayer player(new_fluid_player(synth));
    if (!player) return {};
    if (fluid_player_add_mem(player.get(), midiFile.data(), midiFile.size()) != FLUID_OK) return {};
    fluid_player_set_loop(player.get(), passes);
    return player;
}

}  // namespace qn
