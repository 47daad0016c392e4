#include "numbertext.h"

#include <charconv>
#include <cmath>
#include <iterator>

namespace qn {

std::string numberText(long long value) {
    char buffer[24] = {' '};
    char* const first = value < 0 ? buffer : buffer + 1;  // the sign or the blank comes first
    const auto end = std::to_chars(first, std::end(buffer), value).ptr;
    return std::string(buffer, end);
}

double leadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    double value = 0;
    bool fraction = false;  // past the decimal point
    double scale = 0.1;     // weight of the next fraction digit; underflows to 0 on long fractions
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch >= '0' && ch <= '9') {
            const int digit = ch - '0';
            if (!fraction) {
                value = value * 10 + digit;
            } else {
                value += digit * scale;
                scale /= 10;
            }
        } else if (ch == '.' && !fraction) {
            fraction = true;
        } else {
            break;
        }
    }
    return negative ? -value : value;
}

long long roundHalfEven(double value) {
    constexpr double kLimit = 1e15;
    if (std::isnan(value)) return 0;
    if (value > kLimit) return static_cast<long long>(kLimit);
    if (value < -kLimit) return -static_cast<long long>(kLimit);
    return static_cast<long long>(std::nearbyint(value));  // default mode: to nearest even
}

long long divideRoundHalfEven(long long a, long long b) {
    long long q = a / b;
    long long r = a % b;
    if (r < 0) {  // floor division, so the remainder is in [0, b)
        r += b;
        --q;
    }
    if (2 * r > b || (2 * r == b && q % 2 != 0)) ++q;
    return q;
}

}  // namespace qn
