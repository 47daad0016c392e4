#include "model/textencoding.h"

#include <gtest/gtest.h>

#include "model/msfreader.h"

namespace qn {
namespace {

TEST(IsValidUtf8, AcceptsWellFormedAndRejectsMalformedSequences) {
    const std::pair<std::string, bool> cases[] = {
        // Euro sign, a four-byte note; then a lone Windows-1252 byte, truncated,
        // overlong two- and three-byte forms, a surrogate, past U+10FFFF.
        // clang-format off
        {"caf\xC3\xA9", true}, {"\xE2\x82\xAC", true}, {"\xF0\x9F\x8E\xB5", true},
        {std::string("a\0b", 3), true}, {"caf\xE9", false}, {"\xC3", false}, {"\xC0\xAF", false},
        {"\xE0\x80\xAF", false}, {"\xED\xA0\x80", false}, {"\xF4\x90\x80\x80", false},
        // clang-format on
    };
    for (const auto& [text, valid] : cases)
        EXPECT_EQ(isValidUtf8(text), valid) << text;
}

TEST(ToUtf8, ReadsInvalidTextAsWindows1252) {
    const std::pair<std::string, std::string> cases[] = {
        // Already UTF-8: unchanged; e acute, euro sign, Y diaeresis, an unassigned
        // byte as its C1 control; one bad byte converts the whole text.
        // clang-format off
        {"caf\xC3\xA9", "caf\xC3\xA9"}, {"Jos\xE9", "Jos\xC3\xA9"}, {"\x80 5", "\xE2\x82\xAC 5"},
        {"\x9F", "\xC5\xB8"}, {"\x81", "\xC2\x81"}, {"\xFF", "\xC3\xBF"},
        {"\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9"},
        // clang-format on
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(toUtf8(in), out) << in;
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
