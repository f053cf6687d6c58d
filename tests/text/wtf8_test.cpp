#include "text/wtf8.h"

#include <gtest/gtest.h>

namespace sarvell::test {
namespace {

using namespace text;

TEST(Wtf8, RoundTripsEveryUtf16SequenceAndReplacesMalformedBytes) {
    const std::u16string samples[] = {
        u"\u007f\u0080\u07ff\u0800\uffff", u"\U00010000\U0010FFFF", std::u16string(1, char16_t(0xDBFF)) + u"x",  // a lone surrogate
    };
    for (const auto& s : samples) EXPECT_EQ(FromWtf8(ToWtf8(s)), s);
    EXPECT_EQ(ToWtf8(u"\U00010000\u00e4\u0800\U00010000\U0010FFFFa\xDC00"),
              "\xF0\x90\x80\x80\xC3\xA4\xE0\xA0\x80\xF0\x90\x80\x80\xF4\x8F\xBF\xBF" "a\xED\xB0\x80");
    const std::u16string pair = u"\U00010000";  // a high surrogate whose partner lies beyond the text
    EXPECT_EQ(ToWtf8(std::u16string_view(pair.data(), 1)), "\xED\xA0\x80");
    const std::pair<std::string_view, std::u16string> malformed[] = {
        {std::string_view("\xC3\xA4", 1), u"\uFFFD"},  // cut short: no byte read past the end
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {"\xC2\x80\xDF\xBF", u"\u0080\u07ff"},
    };
    for (const auto& [bytes, text] : malformed) EXPECT_EQ(FromWtf8(bytes), text);
}

}  // namespace
}  // namespace sarvell::test
