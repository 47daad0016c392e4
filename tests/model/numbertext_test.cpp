#include "model/numbertext.h"

#include <gtest/gtest.h>

namespace qn {
namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfAText) {
    const std::string zeros(400, '0');
    const std::pair<std::string, double> cases[] = {
        // clang-format off
        {" 64", 64}, {"120", 120}, {"  -7x", -7}, {"+5", 5}, {"1.5.2", 1.5}, {"abc", 0}, {"", 0},
        {"-", 0}, {" 12, 100", 12}, {"\t5", 0}, {"007", 7}, {".5", 0.5}, {"3 4", 3},
        {"5." + zeros, 5}, {"7." + zeros + "9", 7},
        {"0." + zeros + "1.5", 0},  // digits far behind the point stay fractional
        // clang-format on
    };
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(text), value) << text;
}

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour) {
    const std::pair<double, long long> cases[] = {
        // clang-format off
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {22.5, 22}, {2.4999, 2}, {2.6, 3}, {1e300, 1000000000000000},
        // clang-format on
    };
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
    // The exact quotient, rounded the same way.
    const std::tuple<long long, long long, long long> quotients[] = {
        {90, 4, 22}, {100, 4, 25}, {127, 2, 64}, {5, 2, 2}, {-5, 2, -2}, {1, 3, 0}};
    for (const auto& [a, b, rounded] : quotients)
        EXPECT_EQ(divideRoundHalfEven(a, b), rounded) << a << "/" << b;
}

}  // namespace
}  // namespace qn
