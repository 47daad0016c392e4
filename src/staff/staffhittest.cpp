#include "staffhittest.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/composition.h"
#include "model/numbertext.h"
#include "staffgeometry.h"

namespace qn::staff {

namespace {

struct PixelBand {
    int above;  // exclusive bounds, pixels
    int below;
};
constexpr std::array<PixelBand, kStaffCount> kPointerBands{
    {{72, 146}, {172, 241}, {268, 343}, {365, 441}}};

constexpr std::array<TwipRange, kStaffCount> kRectangleBands{
    {{721, 2325}, {2401, 3660}, {3871, 5160}, {5301, 6660}}};

constexpr int kBandLeft = 501;
constexpr int kBandRight = 11000;
constexpr int kTwipsPerCode = 38;

int columnOf(int x, int shift) {
    if (x < kBandLeft || x >= kBandRight) return kNoColumn;
    return static_cast<int>(std::floor((x + shift - 340) / 500.0)) - 1;
}

}  // namespace

int hitTestHeads(std::span<const GlyphState> glyphs, double xPx, double yPx) {
    int hit = kNoSlot;
    const int slots = std::min<int>(static_cast<int>(glyphs.size()), kStaffSlots);
    for (int g = 0; g < slots; ++g) {
        const GlyphState& glyph = glyphs[g];
        if (!glyph.headVisible) continue;
        const int left = glyph.headX / kTwipsPerPixel;
        const int top = glyph.headY / kTwipsPerPixel;
        if (left - 5 < xPx && xPx < left + 10 && top - 5 < yPx && yPx < top + 6) hit = g;
    }
    return hit;
}

int trackAtPointer(double yPx) {
    for (int t = 0; t < kStaffCount; ++t)
        if (kPointerBands[t].above < yPx && yPx < kPointerBands[t].below) return t;
    return kNoTrack;
}

int bandTrack(int yTwips) {
    for (int t = 0; t < kStaffCount; ++t)
        if (kRectangleBands[t].low <= yTwips && yTwips < kRectangleBands[t].high) return t;
    return kNoTrack;
}

ColumnRange bandColumns(int startX, int endX) {
    return {columnOf(startX, 250), columnOf(endX, -250)};
}

int dropPitch(int track, double yTwips) {
    const long long rise = roundHalfEven(kDropBase[track] - yTwips);
    return static_cast<int>(std::clamp<long long>(rise / kTwipsPerCode, 0, kHighestPitch));
}

}  // namespace qn::staff
