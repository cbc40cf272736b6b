// The writers' text toolkit: French decimal commas, zeros in front, and the
// columns of UTF-8 text. The byte sequences are those of RFC 3629 (UTF-8);
// the widths are those of the place block's words as a terminal shows them.
#include "frontend/write/text.h"

#include <gtest/gtest.h>

#include <string>

namespace {
using namespace frontend;

TEST(DecimalComma, FixedDigitsWithAComma) {
  const struct {
    double value;
    int decimals;
    const char* text;
  } cases[] = {
      {.value = -4.14, .decimals = 1, .text = "-4,1"},  // Venus's magnitude
      {.value = 0.98329, .decimals = 5, .text = "0,98329"},
      {.value = 46.44, .decimals = 1, .text = "46,4"},  // an elongation
      {.value = 12.0, .decimals = 0, .text = "12"},     // no decimals, no comma
      {.value = 45.7578, .decimals = 2, .text = "45,76"},
  };
  for (const auto& c : cases) {
    std::string out = "mag. ";
    appendDecimalComma(out, c.value, c.decimals);
    EXPECT_EQ(out, std::string("mag. ") + c.text) << c.value;
  }
}

TEST(DecimalComma, OnlyTheNewTextChanges) {
  // A point already in the text stays: the comma is the number's own.
  std::string out = "1.5/1/2000 ";
  appendDecimalComma(out, 0.25, 2);
  EXPECT_EQ(out, "1.5/1/2000 0,25");
  std::string given;
  appendWithComma(given, "45.76");
  EXPECT_EQ(given, "45,76");
}

TEST(ZeroPadded, ZerosInFrontUpToTheWidth) {
  const struct {
    std::int64_t value;
    int width;
    const char* text;
  } cases[] = {
      {.value = 0, .width = 2, .text = "00"},          {.value = 7, .width = 2, .text = "07"},
      {.value = 59, .width = 2, .text = "59"},         {.value = 42, .width = 4, .text = "0042"},
      {.value = 214748, .width = 4, .text = "214748"},  // longer: every digit
      {.value = 5, .width = 3, .text = "005"},         {.value = 9, .width = 0, .text = "9"},
  };
  for (const auto& c : cases) {
    std::string out;
    appendZeroPadded(out, c.value, c.width);
    EXPECT_EQ(out, c.text) << c.value << " in " << c.width;
  }
}

TEST(Utf8, SequenceLengthFromTheLeadByte) {
  const struct {
    unsigned char lead;
    std::size_t length;
  } cases[] = {
      {.lead = 'A', .length = 1},  {.lead = 0x00, .length = 1},
      {.lead = 0xc3, .length = 2},  // é is C3 A9
      {.lead = 0xe2, .length = 3},  // ’ is E2 80 99
      {.lead = 0xf0, .length = 4},  // U+1F319 is F0 9F 8C 99
      {.lead = 0x80, .length = 0},  // a continuation byte begins nothing
      {.lead = 0xbf, .length = 0}, {.lead = 0xf8, .length = 0},
      {.lead = 0xff, .length = 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf8SequenceLength(c.lead), c.length) << int{c.lead};
  }
}

TEST(Utf8, ColumnsAreCharactersNotBytes) {
  const struct {
    const char* text;
    std::size_t columns;
  } cases[] = {
      {.text = "", .columns = 0},
      {.text = "Vénus", .columns = 5},
      {.text = "Crépuscule civil (-6°)", .columns = 22},
      {.text = "toujours levé", .columns = 13},
      {.text = "l’aube", .columns = 6},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(displayWidth(c.text), c.columns) << c.text;
  }
}

TEST(Utf8, PaddedToColumnsFromWhereTheCellBegins) {
  // The place block's name column: ten columns from the row's start,
  // whatever came before it in the buffer.
  std::string out = "earlier line\n";
  const std::size_t start = out.size();
  out += " Vénus";
  padToWidth(out, start, 10);
  EXPECT_EQ(out.substr(start), " Vénus    ");
  // A cell already as wide or wider gets no blank.
  out += "Hauteur et azimut";
  const std::size_t before = out.size();
  padToWidth(out, start, 10);
  EXPECT_EQ(out.size(), before);
}

}  // namespace
