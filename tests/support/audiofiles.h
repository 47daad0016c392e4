#pragma once

// Audio files read back through libsndfile.

#include <sndfile.h>

#include <QFile>
#include <QString>
#include <vector>

namespace qn::test {

struct AudioFile {
    SF_INFO info{};              // format 0 when the file could not be read
    std::vector<float> samples;  // interleaved
    double seconds() const { return info.samplerate ? double(info.frames) / info.samplerate : 0; }
};

inline AudioFile readAudioFile(const QString& path) {
    AudioFile a;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &a.info);
    if (!file) return {};
    a.samples.resize(static_cast<size_t>(a.info.frames * a.info.channels));
    a.samples.resize(static_cast<size_t>(sf_readf_float(file, a.samples.data(), a.info.frames) *
                                         a.info.channels));
    sf_close(file);
    return a;
}

}  // namespace qn::test
