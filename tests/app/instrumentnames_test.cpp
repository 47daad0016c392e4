#include "app/instrumentnames.h"

#include <gtest/gtest.h>

namespace {

using qn::instrumentName;
using qn::instrumentNameList;

// A missing or doubled entry shifts every later one off its number.
TEST(InstrumentNames, EveryEntryStartsWithItsNumberAndOthersHaveNone) {
    const QStringList names = instrumentNameList();
    ASSERT_EQ(names.size(), qn::kInstrumentCount);
    for (int program = 0; program < qn::kInstrumentCount; ++program) {
        const QString prefix = QString::number(program) + (program < 10 ? "  " : " ");
        EXPECT_TRUE(names[program].startsWith(prefix)) << names[program].toStdString();
        EXPECT_GT(names[program].size(), prefix.size() + 2) << program;
        EXPECT_NE(names[program].at(prefix.size()), u' ') << program;
    }
    EXPECT_TRUE(instrumentName(-1).isEmpty() && instrumentName(128).isEmpty());
}

}  // namespace
