#pragma once

// Audio files through libsndfile: WAV and FLAC of 16-bit samples, or Ogg
// Vorbis, written into a seekable QIODevice. Writing into a SafeFile keeps
// a failed or cancelled export from leaving anything behind.

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QIODevice;
typedef struct sf_private_tag SNDFILE;

namespace qn {

enum class AudioFileType { Wav, Flac, OggVorbis };

// The most sample data a RIFF file can describe (its sizes are 32-bit): 6.7
// hours of 16-bit stereo at 44.1 kHz, the length a render is cut to.
inline constexpr uint64_t kMaxWavDataBytes = 0xFFFFFFFFull - 36;

// The type the extension of `path` names: .wav, .flac or .ogg in any letter
// case; nothing for any other name.
std::optional<AudioFileType> audioFileTypeOf(const QString& path);

// Why `path` cannot be an audio file, as a sentence for the user.
QString unknownAudioFileType(const QString& path);

class AudioFileWriter {
  public:
    // Starts the file on `device`, which is open for writing, and seekable
    // for WAV and FLAC; error() says why when it could not be started.
    AudioFileWriter(QIODevice& device, AudioFileType type, int sampleRate, int channels = 2);
    ~AudioFileWriter();
    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    bool isOpen() const { return m_file != nullptr; }
    const QString& error() const { return m_error; }

    // Interleaved samples in -1..1, clipped beyond; false (see error()) when
    // they could not be written.
    bool write(const float* interleaved, int frames);
    // Completes the file (the sizes in the header, the last pages); false
    // (see error()) when the device refused them.
    bool finish();

    struct Output;  // the device behind a write buffer

  private:
    bool fail();

    std::unique_ptr<Output> m_output;
    SNDFILE* m_file = nullptr;
    QString m_error;
};

}  // namespace qn
