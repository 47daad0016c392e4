#include "staffgeometry.h"

#include "model/numbertext.h"

namespace qn::staff {

namespace {

constexpr int kHalfSpacing = 60;  // one staff position, twips
constexpr int kHighestCode = 24;
constexpr std::array<int, kHighestCode + 1> kPositionOfCode{
    1, 2, 2, 3, 3, 4, 5, 5, 6, 6, 7, 7, 8, 9, 9, 10, 10, 11, 12, 12, 13, 13, 14, 14, 15};

}  // namespace

int StaffPosition(int pitch) {
    if (pitch < 0 || pitch > kHighestCode) return pitch;
    return kPositionOfCode[pitch];
}

int NoteY(int track, int pitch) {
    return kNoteYBase[track] - kHalfSpacing * StaffPosition(pitch);
}

bool isSharp(int pitch) {
    switch (pitch) {
        case 2:
        case 4:
        case 7:
        case 9:
        case 11:
        case 14:
        case 16:
        case 19:
        case 21:
        case 23:
            return true;
        default:
            return false;
    }
}

ThumbGeometry thumbGeometry(int songLength, int scrollPos) {
    if (songLength <= 21) return {};
    const double unit = static_cast<double>(kTroughWidth) / songLength;
    const bool fullWindow = songLength - scrollPos >= kColumns || scrollPos >= songLength;
    const double width = fullWindow ? kColumns * unit : (songLength - scrollPos) * unit;
    return {kTroughX + scrollPos * unit, width};
}

int thumbDragScrollPos(double thumbLeft, int songLength) {
    return static_cast<int>(roundHalfEven((thumbLeft - kTroughX) / kThumbDragTravel * songLength));
}

}  // namespace qn::staff
