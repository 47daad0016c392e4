#pragma once

// The program's colour numbers: red in the low byte, blue in the high byte
// (0x00BBGGRR), as the settings store them.

#include <QColor>
#include <cstdint>

namespace qn {

inline QColor colorFromRgbNumber(uint32_t rgb) {
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

inline uint32_t rgbNumberFromColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<uint32_t>(rgb.red()) | static_cast<uint32_t>(rgb.green()) << 8 |
           static_cast<uint32_t>(rgb.blue()) << 16;
}

}  // namespace qn
