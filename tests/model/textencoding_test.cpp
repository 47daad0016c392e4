#include "model/textencoding.h"

#include <gtest/gtest.h>

#include "model/msfreader.h"

namespace qn {
namespace {

TEST(IsValidUtf8, AcceptsWellFormedAndRejectsMalformedSequences) {
    const struct {
        std::string text;
        bool valid;
    } cases[] = {
        {"caf\xC3\xA9", true},
        {"\xE2\x82\xAC", true},       // euro sign
        {"\xF0\x9F\x8E\xB5", true},   // musical note, four bytes
        {"caf\xE9", false},           // a Windows-1252 byte alone
        {"\xC3", false},              // truncated at the end
        {"\xC0\xAF", false},          // overlong two-byte form
        {"\xE0\x80\xAF", false},      // overlong three-byte form
        {"\xED\xA0\x80", false},      // surrogate
        {"\xF4\x90\x80\x80", false},  // past U+10FFFF
        {std::string("a\0b", 3), true},
    };
    for (const auto& k : cases)
        EXPECT_EQ(isValidUtf8(k.text), k.valid) << k.text;
}

TEST(ToUtf8, ReadsInvalidTextAsWindows1252) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"caf\xC3\xA9", "caf\xC3\xA9"},  // already UTF-8: unchanged
        {"Jos\xE9", "Jos\xC3\xA9"},      // e acute
        {"\x80 5", "\xE2\x82\xAC 5"},    // euro sign
        {"\x9F", "\xC5\xB8"},            // Y diaeresis
        {"\x81", "\xC2\x81"},            // unassigned: the C1 control
        {"\xFF", "\xC3\xBF"},
        {"\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9"},  // one bad byte: the whole text converts
    };
    for (const auto& k : cases)
        EXPECT_EQ(toUtf8(k.in), k.out) << k.in;
}

TEST(ToUtf8, ReaderStoresWindows1252TextsAsUtf8LineByLine) {
    Composition c;
    ASSERT_FALSE(
        readMsf("compositionnameM\xFCller\r\nCompositionAuthorJos\xC3\xA9\r\n"
                "compositionCOPYRIGHT\xA9 2001\r\nLYRICS\r\n 2\r\n\x80uro\r\n\xC3\xBC\r\n",
                c));
    EXPECT_EQ(c.CompName + "|" + c.CompositionAuthor + "|" + c.CompositionCopyright + "|" +
                  c.Lyrics[0] + "|" + c.Lyrics[1],
              "M\xC3\xBCller|Jos\xC3\xA9|\xC2\xA9 2001|\xE2\x82\xAC"
              "uro|\xC3\xBC");
}

}  // namespace
}  // namespace qn
