#include "app/instrumentnames.h"

#include <gtest/gtest.h>

namespace {

using qn::instrumentName;
using qn::instrumentNameList;

TEST(InstrumentNames, SelectedEntriesAreExact) {
    const struct {
        int program;
        const char* text;
    } cases[] = {
        {0, "0  Acoustic Grand"},           {9, "9  Glockenspiel"}, {10, "10 Music Box"},
        {25, "25 Acoustic Guitar (steel)"}, {127, "127 GunShot"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(instrumentName(c.program), QLatin1String(c.text)) << c.program;
    }
}

// A missing or doubled entry shifts every later one off its number.
TEST(InstrumentNames, EveryEntryStartsWithItsNumberAndBlanks) {
    const QStringList names = instrumentNameList();
    ASSERT_EQ(names.size(), qn::kInstrumentCount);
    ASSERT_EQ(qn::kInstrumentCount, 128);
    for (int program = 0; program < qn::kInstrumentCount; ++program) {
        const QString prefix = QString::number(program) + (program < 10 ? "  " : " ");
        EXPECT_TRUE(names[program].startsWith(prefix)) << names[program].toStdString();
        EXPECT_GT(names[program].size(), prefix.size() + 2) << program;
        EXPECT_NE(names[program].at(prefix.size()), u' ') << program;
    }
}

TEST(InstrumentNames, ProgramsOutsideTheListHaveNoName) {
    EXPECT_TRUE(instrumentName(-1).isEmpty());
    EXPECT_TRUE(instrumentName(128).isEmpty());
}

}  // namespace
