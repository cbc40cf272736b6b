// A small writer of SVG elements: a tag, its attributes, then either the
// end of an empty element, text content, or children.
//
//   Svg svg(out);
//   svg.open("circle").attr("cx", 10.5).attr("fill", "#fff").end();
//   svg.open("text").attr("x", 3).text("Vénus");
//   svg.open("g").attr("id", "labels").start(); ... svg.close("g");
//
// Numbers are written in fixed notation with two decimals, text is escaped
// for XML. One element per line.
#pragma once

#include <string>
#include <string_view>

namespace frontend {

class Svg {
 public:
  explicit Svg(std::string& out) : out_(out) {}

  Svg& open(std::string_view tag);
  Svg& attr(std::string_view name, double value);
  Svg& attr(std::string_view name, std::string_view value);
  Svg& attr(std::string_view name, const char* value) {
    return attr(name, std::string_view(value));
  }
  // A number in its shortest exact form (for data, not for drawing).
  Svg& exact(std::string_view name, double value);
  // A number to nine decimals (for data: a nanodegree), where the last bits
  // of the exact form would follow the processor's C library and ERFA.
  Svg& nine(std::string_view name, double value);

  // "/>": an element without content.
  void end();
  // Text content, escaped, and the closing tag of the element opened last.
  void text(std::string_view content);
  // ">": children follow, until close(tag).
  void start();
  void close(std::string_view tag);

  // Text escaped for XML content or attribute values.
  static void appendEscaped(std::string& out, std::string_view text);

 private:
  std::string& out_;
  std::string_view tag_;
};

}  // namespace frontend
