#pragma once

// A synthesiser that keeps what it is given, for the window's tests.

#include <memory>

#include "app/mainwindow.h"
#include "sound/audioengine.h"

namespace qn::test {

class FakeEngine : public AudioEngine {
  public:
    bool load(const std::vector<uint8_t>& midiFile) override {
        loaded = midiFile;
        return hasFile = !midiFile.empty();
    }
    bool loadFile(const std::string&) override { return hasFile = false; }
    bool hasLoaded() const override { return hasFile; }
    void play(bool loop) override { plays.push_back(loop); }
    void stop() override { ++stops; }
    int64_t clockMs() const override { return 0; }
    void setMasterVolume(int hundredthsOfDb) override { volume = hundredthsOfDb; }
    void setEndOfPlaybackHandler(std::function<void()>) override {}
    void setAudioProcessor(std::unique_ptr<AudioProcessor> p) override {
        processor = std::move(p);
        ++processorsSet;
    }

    std::vector<uint8_t> loaded;
    bool hasFile = false;
    std::vector<bool> plays;
    int stops = 0;
    int volume = 0;
    std::unique_ptr<AudioProcessor> processor;
    int processorsSet = 0;
};

// Start options whose synthesiser is a FakeEngine reachable through `engine`.
inline std::function<EngineStart()> fakeEngineStarter(FakeEngine** engine) {
    return [engine] {
        auto fake = std::make_unique<FakeEngine>();
        *engine = fake.get();
        return EngineStart{std::move(fake), {}, {}};
    };
}

}  // namespace qn::test
