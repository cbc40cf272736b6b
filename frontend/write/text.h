// The small pieces of French text that every writer shares: numbers with a
// decimal comma, numbers padded with zeros, and the width of UTF-8 text in
// columns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace frontend {

// "-4,1", "0,98330": fixed notation with `decimals` digits after a decimal
// comma, as French writes numbers.
void appendDecimalComma(std::string& out, double value, int decimals);
// Digits written with a decimal point ("45.76"), with a comma instead.
void appendWithComma(std::string& out, std::string_view digits);

// "07", "0042": a whole number, at least 0, with zeros in front up to
// `width` digits; a longer number takes the digits it needs.
void appendZeroPadded(std::string& out, std::int64_t value, int width);

// The bytes of the UTF-8 character that a byte begins: 1 for ASCII, 2 to 4
// for the lead byte of a longer sequence, 0 for a byte that begins none (a
// continuation byte, or 0xf8 and above).
std::size_t utf8SequenceLength(unsigned char lead);

// The columns a UTF-8 text takes: one a character. The program's texts
// hold no wide or combining characters.
std::size_t displayWidth(std::string_view text);

// Blanks after the text that begins at `start` in `out`, until it takes
// `width` columns (none if it takes as many or more).
void padToWidth(std::string& out, std::size_t start, std::size_t width);

// The text with each of its lines broken at blanks so that none takes more
// than `width` columns (a word longer than that stays whole, on a line of
// its own); the blank where a line is broken becomes the line end. The
// line ends it had are kept.
std::string wrapped(std::string_view text, std::size_t width = 80);

}  // namespace frontend
