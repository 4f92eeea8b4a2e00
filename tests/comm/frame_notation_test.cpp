#include "comm/frame_notation.h"

#include <gtest/gtest.h>

using tw::comm::FromNotation;
using tw::comm::ToNotation;

TEST(FrameNotation, NamesControlBytesAndEscapesOthers) {
  EXPECT_EQ(ToNotation(std::string("\x02" "07A1D" "\x03", 7)), "<STX>07A1D<ETX>");
  EXPECT_EQ(ToNotation(std::string("\x12\x14\x00\x01\x7F\xFF", 6)), "<DC2><DC4><NUL><x01><x7F><xFF>");
  EXPECT_EQ(ToNotation("a<b"), "a<b");
}

// A name's text inside a frame ("<STX>" typed into an input's name) read
// back as the control byte.
TEST(FrameNotation, AnAngleThatWouldReadAsANameIsWrittenAsAByte) {
  for (const std::string text : {"<STX>", "<CD>", "<x41>", "<a>", "<<ETX>>", "<ABC>"}) {
    EXPECT_EQ(FromNotation(ToNotation(text)), text) << ToNotation(text);
  }
  EXPECT_EQ(ToNotation("<CD> <TAPE> <> <"), "<x3C>CD> <TAPE> <> <");
  EXPECT_EQ(ToNotation(std::string("<\x02>", 3)), "<<STX>>");
}

TEST(FrameNotation, ParsesWhatItPrintsAndLowerCase) {
  const std::string all = [] {
    std::string s;
    for (int i = 0; i < 256; ++i) s += static_cast<char>(i);
    return s;
  }();
  EXPECT_EQ(FromNotation(ToNotation(all)), all);
  EXPECT_EQ(FromNotation("<stx>20000<etx>"), std::string("\x02" "20000" "\x03"));
  EXPECT_EQ(FromNotation("<x1b>"), std::string("\x1b"));
}

TEST(FrameNotation, RejectsUnknownNamesButKeepsLoneAngles) {
  EXPECT_FALSE(FromNotation("<STY>0<ETX>").has_value());
  EXPECT_FALSE(FromNotation("<xZZ>").has_value());
  EXPECT_EQ(FromNotation("a<b"), "a<b");
  EXPECT_EQ(FromNotation("<>"), "<>");
}
