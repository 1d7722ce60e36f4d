// tunecalc's renderings: JSON string escaping for any bytes, JSON and plain output.
#include <gtest/gtest.h>

#include <string>

#include "output_text.hpp"

namespace tunecalc {
namespace {

using namespace std::string_literals;

TEST(JsonString, EscapesQuotesBackslashesAndControlCharacters) {
  EXPECT_EQ(JsonString(""), "\"\"");
  EXPECT_EQ(JsonString("a\"b\\c/d"), "\"a\\\"b\\\\c/d\"");
  EXPECT_EQ(JsonString("\r\n\t"), "\"\\r\\n\\t\"");
  EXPECT_EQ(JsonString("\x01\x1f\x7f\b\f"), "\"\\u0001\\u001f\\u007f\\u0008\\u000c\"");
  EXPECT_EQ(JsonString("a\0b"s), "\"a\\u0000b\"");
}

TEST(JsonString, KeepsUtf8AndReplacesEveryOtherByte) {
  EXPECT_EQ(JsonString("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x93\xBB"),
            "\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x93\xBB\"");
  EXPECT_EQ(JsonString("\xFF"), "\"\\ufffd\"");
  EXPECT_EQ(JsonString("\xC3"), "\"\\ufffd\"");  // cut short
  EXPECT_EQ(JsonString("\xC3x"), "\"\\ufffdx\"");
  EXPECT_EQ(JsonString("\xC0\xAF"), "\"\\ufffd\\ufffd\"");                        // overlong
  EXPECT_EQ(JsonString("\xED\xA0\x80"), "\"\\ufffd\\ufffd\\ufffd\"");             // surrogate
  EXPECT_EQ(JsonString("\xF4\x90\x80\x80"), "\"\\ufffd\\ufffd\\ufffd\\ufffd\"");  // > U+10FFFF
  EXPECT_EQ(JsonString("\xE2\x82"), "\"\\ufffd\\ufffd\"");
}

TEST(JsonOutput, NullForWhatWasNotProduced) {
  tuneworks::CalcOutputs out;
  out.Clock = " 1";
  out.Overflow = true;
  EXPECT_EQ(JsonOutput(out),
            "{\"clock\":\" 1\",\"ddsFreq\":null,\"colour\":null,\"results\":null,\"overflow\":true,"
            "\"actual\":null,\"band\":null,\"si5351\":null}\n");
  out.ResultsColour = tuneworks::kColourRed;
  out.Results = "A\r\nB";
  EXPECT_EQ(JsonOutput(out),
            "{\"clock\":\" 1\",\"ddsFreq\":null,\"colour\":255,"
            "\"results\":\"A\\r\\nB\",\"overflow\":true,\"actual\":null,\"band\":null,\"si5351\":"
            "null}\n");
}

TEST(PlainOutput, TurnsCrLfIntoLineEnds) {
  tuneworks::CalcOutputs out;
  out.Clock = " 20";
  out.DDSFreq = " 8";
  out.ResultsColour = tuneworks::kColourBlack;
  out.Results = "A\r\n\r\nB\rC\nD";
  EXPECT_EQ(PlainOutput(out), "DDS Clock      20\nDDS Output Hz  8\n\nA\n\nB\rC\nD\n");
  EXPECT_EQ(PlainOutput(tuneworks::CalcOutputs{}), "");
  tuneworks::CalcOutputs first_stage;
  first_stage.Results = "A\r\n";
  EXPECT_EQ(PlainOutput(first_stage), "\nA\n");
}

}  // namespace
}  // namespace tunecalc
