// The JSON writer: string escaping for any bytes, and the commas and colons between values.
#include "json_writer.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace wspr {
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

TEST(JsonWriter, PutsCommasBetweenMembersAndElementsAtEveryDepth) {
  JsonWriter json;
  json.BeginObject().Key("a").Integer(-1).Key("b").BeginArray();
  json.Integer(std::uint64_t{18446744073709551615U}).Null().BeginObject().EndObject();
  json.BeginArray().EndArray().Bool(false).EndArray();
  json.Key("c").BeginObject().Key("d\"").String("e").Key("f").Bool(true).EndObject();
  json.EndObject();
  EXPECT_EQ(json.Text(),
            R"({"a":-1,"b":[18446744073709551615,null,{},[],false],"c":{"d\"":"e","f":true}})");
}

#if defined(__cpp_lib_to_chars)
TEST(JsonWriter, WritesDoublesShortestOrToChosenPlaces) {
  JsonWriter json;
  json.BeginArray().Number(0.1).Number(1e300).Number(-2.5).Number(1.46484375, 2);
  json.Number(12.5, 0).Number(-0.0, 1).Number(7.0).EndArray();
  EXPECT_EQ(json.Text(), "[0.1,1e+300,-2.5,1.46,12,-0.0,7]");
}
#endif

}  // namespace
}  // namespace wspr
