// The whole program in-process on arbitrary command lines.
//
// The input is an argument vector, one argument per line, then, after an
// empty line, what standard input holds. Standard output is a string that
// fails, as a full device does, past one megabyte, so that a long range
// ends soon. Whatever the bytes:
//  - the status is 0, 1 or 2;
//  - status 2 writes nothing on standard output, and on standard error the
//    message "ephemerides : ..." and the usage;
//  - no "nan" or "inf" stands as a word in standard output;
//  - standard error is whole lines of valid UTF-8;
//  - a second run on the same bytes writes the same (unless the clock's
//    "maintenant" is among the arguments).
// A violation prints what went wrong and aborts, which libFuzzer reports
// as a crash with the input that caused it.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/app/cli.h"

namespace {

constexpr std::size_t kMostArguments = 16;
constexpr std::size_t kOutputLimit = 1 << 20;

struct Transcript {
  std::string output;
  std::string errors;
  int status = -1;
};

Transcript runOnce(const std::vector<std::string>& arguments, std::string_view input) {
  std::vector<const char*> argv = {"ephemerides"};
  for (const std::string& argument : arguments) {
    argv.push_back(argument.c_str());
  }
  Transcript t;
  {
    frontend::WordReader reader(input);
    frontend::Output output(t.output, kOutputLimit);
    frontend::Output errors(t.errors);
    frontend::Console console{reader, output, errors};
    t.status = frontend::run(static_cast<int>(argv.size()), argv.data(), console);
  }
  return t;
}

[[noreturn]] void fail(std::string_view what, const std::string& context) {
  std::fprintf(stderr, "command line check failed: %.*s\n--- near:\n%s\n---\n",
               static_cast<int>(what.size()), what.data(), context.substr(0, 2000).c_str());
  std::abort();
}

bool validUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80         ? 1
                               : (c >> 5) == 6  ? 2
                               : (c >> 4) == 14 ? 3
                               : (c >> 3) == 30 ? 4
                                                : 0;
    if (length == 0 || i + length > text.size()) {
      return false;
    }
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) {
        return false;
      }
    }
    i += length;
  }
  return true;
}

void check(const Transcript& t) {
  if (t.status < 0 || t.status > 2) {
    fail("exit status", std::to_string(t.status));
  }
  if (t.status == 2) {
    if (!t.output.empty()) {
      fail("output with status 2", t.output);
    }
    if (!t.errors.starts_with("ephemerides : ") ||
        t.errors.find("\nUtilisation : ephemerides") == std::string::npos) {
      fail("usage error", t.errors);
    }
  }
  // A word "nan" or "inf": letters, an underscore or any byte of a UTF-8
  // character on neither side ("inférieure" is no such word).
  std::string lower = t.output;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const auto wordByte = [](unsigned char c) {
    return (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
  };
  for (const std::string_view word : {"nan", "inf"}) {
    for (std::size_t at = lower.find(word); at != std::string::npos;
         at = lower.find(word, at + 1)) {
      const bool before = at > 0 && wordByte(static_cast<unsigned char>(lower[at - 1]));
      const bool after = at + 3 < lower.size() && wordByte(static_cast<unsigned char>(lower[at + 3]));
      if (!before && !after) {
        fail("nan or inf", t.output.substr(at < 300 ? 0 : at - 300, 600));
      }
    }
  }
  if (!t.errors.empty() && (t.errors.back() != '\n' || !validUtf8(t.errors))) {
    fail("standard error", t.errors);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t split = bytes.find("\n\n");
  const std::string_view line = bytes.substr(0, split);
  const std::string_view input =
      split == std::string_view::npos ? std::string_view{} : bytes.substr(split + 2);
  std::vector<std::string> arguments;
  std::size_t at = 0;
  while (at <= line.size() && arguments.size() < kMostArguments && !line.empty()) {
    const std::size_t end = std::min(line.find('\n', at), line.size());
    // An argument ends at its first NUL, as argv holds it.
    const std::string_view argument = line.substr(at, end - at);
    arguments.emplace_back(argument.substr(0, argument.find('\0')));
    at = end + 1;
  }

  const Transcript first = runOnce(arguments, input);
  check(first);
  // The clock's instant moves from one run to the next.
  if (std::find(arguments.begin(), arguments.end(), "maintenant") != arguments.end()) {
    return 0;
  }
  const Transcript second = runOnce(arguments, input);
  if (second.output != first.output || second.errors != first.errors ||
      second.status != first.status) {
    fail("a second run differs", second.errors);
  }
  return 0;
}
