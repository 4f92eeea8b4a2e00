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

// Texts from files shown on a terminal: nothing in them can drive it, letters of any
// language stay readable.
TEST(FrameNotation, TerminalTextShowsControlBytesEscapedAndKeepsUtf8Letters) {
  struct Case {
    std::string text;
    std::string shown;
  };
  for (const Case& c :
       {Case{"\x1b]0;owned\x07Key", "<x1B>]0;owned<x07>Key"},
        Case{"a\x1b[2Jb\r\n\x7f", "a<x1B>[2Jb<x0D><x0A><x7F>"},
        Case{"\x02"
             "x\x03",
             "<STX>x<ETX>"},
        Case{"M\xC3\xBCller \xE2\x82\xAC \xF0\x9F\x8E\xB5", "M\xC3\xBCller \xE2\x82\xAC \xF0\x9F\x8E\xB5"},
        Case{"\xC2\x9B"
             "2J",
             "<xC2><x9B>2J"},  // C1 control, UTF-8 encoded
        Case{"\x9b"
             "2J \xE9t\xE9",
             "<x9B>2J <xE9>t<xE9>"},  // 8-bit bytes of no character
        Case{"cut \xE2\x82", "cut <xE2><x82>"}}) {
    EXPECT_EQ(tw::comm::EscapeControls(c.text), c.shown) << c.shown;
  }
  EXPECT_EQ(tw::comm::EscapeControlsByLine("a\x1b\r\nb\nc\r"), "a<x1B>\r\nb\nc<x0D>");
}
