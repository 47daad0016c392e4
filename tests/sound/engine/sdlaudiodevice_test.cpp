#include "sound/engine/sdlaudiodevice.h"

#include <gtest/gtest.h>

#include <csignal>

namespace qn {
namespace {

void silence(void*, Uint8* stream, int bytes) {
    SDL_memset(stream, 0, static_cast<size_t>(bytes));
}

void (*handlerOf(int signal))(int) {
    struct sigaction action {};
    sigaction(signal, nullptr, &action);
    return action.sa_handler;
}

// Interrupting or terminating the program must still end it while a device is open.
TEST(SdlAudioDevice, LeavesTheTerminationSignalsToTheirDefaults) {
    ASSERT_EQ(handlerOf(SIGTERM), SIG_DFL);
    ASSERT_EQ(handlerOf(SIGINT), SIG_DFL);
    SDL_AudioSpec desired{};
    desired.freq = 44100;
    desired.format = AUDIO_F32SYS;
    desired.channels = 2;
    desired.samples = 256;
    desired.callback = &silence;
    std::string error;
    const auto device = SdlAudioDevice::open(desired, &error);
    ASSERT_NE(device, nullptr) << error;
    EXPECT_EQ(handlerOf(SIGTERM), SIG_DFL);
    EXPECT_EQ(handlerOf(SIGINT), SIG_DFL);
}

}  // namespace
}  // namespace qn
