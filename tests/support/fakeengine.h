#pragma once

// A synthesiser for the playback, piano and window tests: it keeps what it is
// given, its clock is set by the test, and loading fails on request.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sound/audioengine.h"

namespace qn::test {

class FakeEngine : public AudioEngine {
  public:
    bool load(const std::vector<uint8_t>& midiFile) override {
        record("load");
        ++loads;
        loaded = loadSucceeds;
        bytes = loaded ? midiFile : std::vector<uint8_t>{};
        return loaded;
    }
    bool loadFile(const std::string& path) override {
        ++loads;
        files.push_back(path);
        return loaded = loadSucceeds && !path.empty();
    }
    bool hasLoaded() const override { return loaded; }
    std::string lastLoadError() const override { return loadError; }
    void play(bool loop) override {
        record(loop ? "play loop" : "play");
        plays.push_back(loop);
        playing = true;
    }
    void stop() override { playing = false; }
    int64_t clockMs() const override { return ms; }
    void setMasterVolume(int hundredthsOfDb) override { volume = hundredthsOfDb; }
    void setEndOfPlaybackHandler(std::function<void()>) override {}
    void setAudioProcessor(std::unique_ptr<AudioProcessor> p) override { processor = std::move(p); }

    bool loadSucceeds = true;
    std::string loadError;                    // what a failed load says
    int64_t ms = 0;                           // the clock
    std::vector<std::string>* log = nullptr;  // when set, loads and starts are written here

    int loads = 0;
    bool loaded = false;
    bool playing = false;
    std::vector<uint8_t> bytes;  // of the last successful load
    std::vector<std::string> files;
    std::vector<bool> plays;  // the loop flag of every start
    int volume = 0;
    std::unique_ptr<AudioProcessor> processor;

  private:
    void record(const char* event) {
        if (log) log->push_back(event);
    }
};

}  // namespace qn::test
