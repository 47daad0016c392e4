#include "model/numbertext.h"

#include <gtest/gtest.h>

namespace qn {
namespace {

TEST(NumberText, PutsABlankBeforeNonNegativeNumbers) {
    EXPECT_EQ(numberText(64), " 64");
    EXPECT_EQ(numberText(0), " 0");
    EXPECT_EQ(numberText(-3), "-3");
}

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfAText) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {" 64", 64}, {"120", 120}, {"  -7x", -7}, {"+5", 5},        {"1.5.2", 1.5},
        {"abc", 0},  {"", 0},      {"-", 0},      {" 12, 100", 12}, {"\t5", 0},
        {"007", 7},  {".5", 0.5},  {"3 4", 3},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.value) << c.text;
}

TEST(LeadingNumber, DigitsFarBehindTheDecimalPointStayFractional) {
    const std::string zeros(400, '0');
    EXPECT_DOUBLE_EQ(leadingNumber("5." + zeros), 5);
    EXPECT_DOUBLE_EQ(leadingNumber("7." + zeros + "9"), 7);
    EXPECT_DOUBLE_EQ(leadingNumber("0." + zeros + "1.5"), 0);  // a second point ends the number
}

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour) {
    const struct {
        double value;
        long long rounded;
    } cases[] = {{2.5, 2},
                 {3.5, 4},
                 {-2.5, -2},
                 {22.5, 22},
                 {2.4999, 2},
                 {2.6, 3},
                 {1e300, 1000000000000000}};
    for (const auto& c : cases)
        EXPECT_EQ(roundHalfEven(c.value), c.rounded) << c.value;
}

TEST(DivideRoundHalfEven, MatchesRoundingOfTheExactQuotient) {
    EXPECT_EQ(divideRoundHalfEven(90, 4), 22);  // 22.5
    EXPECT_EQ(divideRoundHalfEven(100, 4), 25);
    EXPECT_EQ(divideRoundHalfEven(127, 1), 127);
    EXPECT_EQ(divideRoundHalfEven(127, 2), 64);  // 63.5
    EXPECT_EQ(divideRoundHalfEven(5, 2), 2);     // 2.5
    EXPECT_EQ(divideRoundHalfEven(-5, 2), -2);
    EXPECT_EQ(divideRoundHalfEven(1, 3), 0);
}

}  // namespace
}  // namespace qn
