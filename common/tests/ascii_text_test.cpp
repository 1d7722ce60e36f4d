// ASCII quoting: printable bytes as they are, every other byte as \xHH.
#include "ascii_text.hpp"

#include <gtest/gtest.h>

#include <string>

namespace wspr::ascii {
namespace {

using namespace std::string_literals;

TEST(AsciiEscaped, KeepsPrintableAsciiAndWritesEveryOtherByteInHex) {
  EXPECT_EQ(Escaped(" K1ABC~'\""), " K1ABC~'\"");
  EXPECT_EQ(Escaped("a\\b"), "a\\x5Cb");
  EXPECT_EQ(Escaped("\x1F\x7F\x80\xFF\t"), "\\x1F\\x7F\\x80\\xFF\\x09");
  EXPECT_EQ(Escaped("A\0B"s), "A\\x00B");
  EXPECT_EQ(Escaped("say \"hi\"", "\""), "say \\x22hi\\x22");
}

TEST(AsciiClasses, IgnoreEveryByteOutsideAscii) {
  for (int b = 0x80; b <= 0xFF; ++b) {
    const auto c = static_cast<char>(b);
    EXPECT_FALSE(IsLetter(c) || IsDigit(c) || IsPrintable(c)) << b;
    EXPECT_EQ(ToUpper(c), c);
    EXPECT_EQ(ToLower(c), c);
    EXPECT_EQ(DigitValue(c), -1);
  }
  EXPECT_EQ(DigitValue('z'), 35);
  EXPECT_EQ(DigitValue('Z'), 35);
  EXPECT_EQ(ToUpper('z'), 'Z');
  EXPECT_EQ(ToLower('@'), '@');
}

}  // namespace
}  // namespace wspr::ascii
