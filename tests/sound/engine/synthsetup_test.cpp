#include "sound/engine/synthsetup.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qn {
namespace {

TEST(SynthSetup, MasterVolumeScalesTheBaseGainByItsDecibels) {
    EXPECT_FLOAT_EQ(gainForVolume(0), kBaseGain);
    EXPECT_NEAR(20 * std::log10(gainForVolume(-3000) / kBaseGain), -30.0, 1e-4);
    EXPECT_FLOAT_EQ(gainForVolume(-99999), gainForVolume(kMinVolume));
    EXPECT_FLOAT_EQ(gainForVolume(99999), gainForVolume(kMaxVolume));
}

}  // namespace
}  // namespace qn
