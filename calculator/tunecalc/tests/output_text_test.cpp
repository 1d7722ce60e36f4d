// tunecalc's renderings: JSON and plain output.
#include <gtest/gtest.h>

#include <string>

#include "output_text.hpp"

namespace tunecalc {
namespace {

TEST(JsonOutput, NullForWhatWasNotProduced) {
  tuneworks::CalcOutputs out;
  out.Clock = " 1";
  out.Overflow = true;
  EXPECT_EQ(JsonOutput(out),
            "{\"clock\":\" 1\",\"ddsFreq\":null,\"colour\":null,\"results\":null,\"overflow\":true,"
            "\"actual\":null,\"band\":null}\n");
  out.ResultsColour = tuneworks::kColourRed;
  out.Results = "A\r\nB";
  EXPECT_EQ(JsonOutput(out),
            "{\"clock\":\" 1\",\"ddsFreq\":null,\"colour\":255,"
            "\"results\":\"A\\r\\nB\",\"overflow\":true,\"actual\":null,\"band\":null}\n");
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
