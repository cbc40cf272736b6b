// Numbers to text, appended to a string, without the stream machinery.
//
// appendGeneral writes exactly what an output stream writes for a double in
// its default notation at a precision p (printf's %.*g): at most p
// significant digits, trailing zeros and a bare point dropped, exponent form
// only for decimal exponents below -4 or at least p. appendShortest writes
// the shortest text that reads back to the same double. Both go through
// std::to_chars, so the C locale's point and no grouping, whatever the
// environment.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace frontend {

void appendGeneral(std::string& out, double value, int precision);
void appendShortest(std::string& out, double value);
void appendInteger(std::string& out, std::int64_t value);
// A byte as two lowercase hexadecimal digits (the escapes of quoted words
// and of JSON strings).
void appendHexByte(std::string& out, unsigned char byte);

// Fixed notation with `decimals` digits after the point (coordinates of a
// picture).
void appendFixed(std::string& out, double value, int decimals);

// The same, right-aligned with blanks in front in a field of `width`
// columns; a longer text takes the columns it needs.
void appendGeneral(std::string& out, double value, int precision, int width);

// appendGeneral at precision 5 for a value that is usually a whole number
// below 100000 (the fields of the angles), by way of integer digits when it
// is one; the same text either way.
void appendWholeField(std::string& out, double value, int width);

}  // namespace frontend
