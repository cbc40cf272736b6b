// Svg: elements written one per line.
#include "frontend/picture/svg.h"

#include <charconv>
#include <system_error>

#include "frontend/write/numbers.h"

namespace frontend {

Svg& Svg::open(std::string_view tag) {
  out_ += '<';
  out_ += tag;
  tag_ = tag;
  return *this;
}

Svg& Svg::attr(std::string_view name, double value) {
  out_ += ' ';
  out_ += name;
  out_ += "=\"";
  appendFixed(out_, value, 2);
  out_ += '"';
  return *this;
}

Svg& Svg::attr(std::string_view name, std::string_view value) {
  out_ += ' ';
  out_ += name;
  out_ += "=\"";
  appendEscaped(out_, value);
  out_ += '"';
  return *this;
}

Svg& Svg::exact(std::string_view name, double value) {
  out_ += ' ';
  out_ += name;
  out_ += "=\"";
  appendShortest(out_, value);
  out_ += '"';
  return *this;
}

Svg& Svg::nine(std::string_view name, double value) {
  out_ += ' ';
  out_ += name;
  out_ += "=\"";
  char digits[64];
  const auto [end, error] =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 9);
  out_.append(digits, error == std::errc{} ? end : digits);
  out_ += '"';
  return *this;
}

void Svg::end() {
  out_ += "/>\n";
}

void Svg::text(std::string_view content) {
  out_ += '>';
  appendEscaped(out_, content);
  out_ += "</";
  out_ += tag_;
  out_ += ">\n";
}

void Svg::start() {
  out_ += ">\n";
}

void Svg::close(std::string_view tag) {
  out_ += "</";
  out_ += tag;
  out_ += ">\n";
}

void Svg::appendEscaped(std::string& out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
}

}  // namespace frontend
