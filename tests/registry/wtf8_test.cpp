#include "registry/wtf8.h"

#include <gtest/gtest.h>

namespace sarvell::test {
namespace {

using namespace registry;

TEST(Wtf8, RoundTripsEveryUtf16Sequence) {
    const std::u16string samples[] = {
        u"", u"plain", u"\u00e4\u20ac", u"\U0001F600", std::u16string(u"a\0b", 3),
        std::u16string(1, char16_t(0xD800)),                      // lone high surrogate
        std::u16string(1, char16_t(0xDC00)) + u"x",               // lone low surrogate
        std::u16string{char16_t(0xDBFF), char16_t(0xDFFF)},       // last code point
    };
    for (const auto& s : samples) EXPECT_EQ(FromWtf8(ToWtf8(s)), s);
    EXPECT_EQ(ToWtf8(u"\u00e4\U0001F600"), "\xC3\xA4\xF0\x9F\x98\x80");
}

TEST(Wtf8, MalformedBytesBecomeReplacementCharacters) {
    EXPECT_EQ(FromWtf8("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(FromWtf8("\xC3"), u"\uFFFD");          // cut short
    EXPECT_EQ(FromWtf8("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong
    EXPECT_EQ(FromWtf8("\xF4\x90\x80\x80").size(), 4u);  // beyond U+10FFFF
}

TEST(Wtf8, CaseFoldingCoversLettersBeyondAscii) {
    EXPECT_TRUE(EqualsIgnoreCase("Level1Remove", "LEVEL1REMOVE"));
    EXPECT_TRUE(EqualsIgnoreCase("\xC3\xA4rger", "\xC3\x84RGER"));         // ä / Ä
    EXPECT_TRUE(EqualsIgnoreCase("\xD0\xB4\xD0\xB0", "\xD0\x94\xD0\x90"));  // да / ДА
    EXPECT_FALSE(EqualsIgnoreCase("a", "b"));
    EXPECT_FALSE(EqualsIgnoreCase("\xC3\xB7", "\xC3\x97"));  // ÷ and × are no pair
}

}  // namespace
}  // namespace sarvell::test
