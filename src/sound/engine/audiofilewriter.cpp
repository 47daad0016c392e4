#include "audiofilewriter.h"

#include <QFileInfo>
#include <QIODevice>
#include <algorithm>
#include <vector>

#include "soundlibraries.h"

namespace qn {

namespace {

// Writes a megabyte at a time: libsndfile hands over a few kilobytes per
// call, and a SafeFile passes every write straight to the system.
constexpr size_t kWriteChunk = 1 << 20;

}  // namespace

// libsndfile's file operations on the device, through the write buffer.
struct AudioFileWriter::Output {
    QIODevice& device;
    std::vector<char> pending;  // cleared, never shrunk: no page faults for every chunk
    bool failed = false;

    bool flush() {
        const auto size = static_cast<qint64>(pending.size());
        if (size > 0 && !failed) failed = device.write(pending.data(), size) != size;
        pending.clear();
        return !failed;
    }
    static Output& of(void* user) { return *static_cast<Output*>(user); }

    static sf_count_t length(void* user) {
        Output& o = of(user);
        return o.flush() ? o.device.size() : -1;
    }
    static sf_count_t seek(sf_count_t offset, int whence, void* user) {
        Output& o = of(user);
        if (!o.flush()) return -1;
        const qint64 base = whence == SEEK_CUR   ? o.device.pos()
                            : whence == SEEK_END ? o.device.size()
                                                 : 0;
        return o.device.seek(base + offset) ? o.device.pos() : -1;
    }
    static sf_count_t read(void* ptr, sf_count_t count, void* user) {
        Output& o = of(user);
        return o.flush() ? std::max<qint64>(0, o.device.read(static_cast<char*>(ptr), count)) : 0;
    }
    static sf_count_t write(const void* ptr, sf_count_t count, void* user) {
        Output& o = of(user);
        if (o.failed) return 0;
        const auto* bytes = static_cast<const char*>(ptr);
        o.pending.insert(o.pending.end(), bytes, bytes + count);
        return o.pending.size() < kWriteChunk || o.flush() ? count : 0;
    }
    static sf_count_t tell(void* user) {
        Output& o = of(user);
        return o.device.pos() + static_cast<qint64>(o.pending.size());
    }
};

namespace {

SF_VIRTUAL_IO g_outputIo = {AudioFileWriter::Output::length, AudioFileWriter::Output::seek,
                            AudioFileWriter::Output::read, AudioFileWriter::Output::write,
                            AudioFileWriter::Output::tell};

int formatOf(AudioFileType type) {
    switch (type) {
        case AudioFileType::Wav:
            return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        case AudioFileType::Flac:
            return SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
        case AudioFileType::OggVorbis:
            break;
    }
    return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
}

}  // namespace

std::optional<AudioFileType> audioFileTypeOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("wav")) return AudioFileType::Wav;
    if (suffix == QLatin1String("flac")) return AudioFileType::Flac;
    if (suffix == QLatin1String("ogg")) return AudioFileType::OggVorbis;
    return std::nullopt;
}

QString unknownAudioFileType(const QString& path) {
    return QStringLiteral(
               "%1: audio is written as WAV, FLAC or Ogg Vorbis, so the file name "
               "must end in .wav, .flac or .ogg")
        .arg(path);
}

AudioFileWriter::AudioFileWriter(QIODevice& device, AudioFileType type, int sampleRate,
                                 int channels)
    : m_output(std::make_unique<Output>(Output{device, {}})) {
    m_output->pending.reserve(kWriteChunk);
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = formatOf(type);
    if (!loadSndfile(&m_error)) return;
    m_file = sndfile().open_virtual(&g_outputIo, SFM_WRITE, &info, m_output.get());
    if (!m_file) {
        m_error = QString::fromUtf8(sndfile().strerror(nullptr));
        return;
    }
    // Louder than full scale is clipped rather than wrapped round.
    sndfile().command(m_file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

AudioFileWriter::~AudioFileWriter() {
    if (m_file) sndfile().close(m_file);
}

bool AudioFileWriter::fail() {
    // The device knows best why a write failed (a full disk); libsndfile only that it did.
    m_error = m_output->device.errorString();
    if (m_error.isEmpty() || m_error == QLatin1String("Unknown error"))
        m_error = QString::fromUtf8(sndfile().strerror(m_file));
    return false;
}

bool AudioFileWriter::write(const float* interleaved, int frames) {
    if (!m_file) return false;
    return sndfile().writef_float(m_file, interleaved, frames) == frames || fail();
}

bool AudioFileWriter::finish() {
    if (!m_file || !m_error.isEmpty()) return false;
    // Closing writes the header's sizes (WAV) or the last pages (Ogg).
    const int closed = sndfile().close(m_file);
    m_file = nullptr;
    if (!m_output->flush()) return fail();
    if (closed != 0) m_error = QString::fromUtf8(sndfile().error_number(closed));
    return closed == 0;
}

}  // namespace qn
