#include "documentfile.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>

#include "model/documentcommands.h"
#include "model/midiwriter.h"

namespace qn {

namespace {

// Far above the largest composition (4 x 10 001 notes and 10 001 lyrics take
// about half a megabyte): a bigger file, or a device that never ends, is no
// document and would only exhaust the memory.
constexpr qint64 kMaxFileBytes = qint64{64} << 20;

}  // namespace

std::optional<std::string> readWholeFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const auto tooLarge = [&] {
        *error = QStringLiteral("cannot read %1: it is larger than %2 MB")
                     .arg(path)
                     .arg(kMaxFileBytes >> 20);
        return std::nullopt;
    };
    if (file.isSequential() || file.size() == 0) {
        const QByteArray bytes = file.read(kMaxFileBytes + 1);
        if (bytes.size() > kMaxFileBytes) return tooLarge();
        return bytes.toStdString();
    }
    if (file.size() > kMaxFileBytes) return tooLarge();
    // Straight into the string: a file can be half a megabyte.
    std::string bytes(static_cast<size_t>(std::max<qint64>(file.size(), 0)), '\0');
    const qint64 read = file.read(bytes.data(), static_cast<qint64>(bytes.size()));
    if (read < 0 || !file.atEnd()) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    bytes.resize(static_cast<size_t>(read));
    return bytes;
}

bool saveWholeFile(const QString& path, const void* bytes, size_t size, QString* error) {
    QSaveFile file(path);
    const auto length = static_cast<qint64>(size);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(static_cast<const char*>(bytes), length) != length || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool openMsfFile(const QString& path, Composition& c, EditState& e, QString* error) {
    const auto text = readWholeFile(path, error);
    if (!text) return false;
    if (const auto rejected = openMsf(*text, path.toStdString(), c, e)) {
        *error = QStringLiteral("%1: %2").arg(path, QString::fromStdString(rejected->text()));
        return false;
    }
    return true;
}

std::vector<uint8_t> exportMidiBytes(Composition& c) {
    c.ComputeSongLength();
    return WriteMidiFile(c, 0, kTrackCount - 1, 0, c.SongLength);
}

}  // namespace qn
