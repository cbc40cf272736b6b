// Standard error at a terminal: long work shows its progress there and
// writes the same bytes on standard output either way; messages are
// wrapped at 80 columns.
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/robustness/child_process.h"

namespace {

std::string contentsOf(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}

// Everything the terminal shows until the program closes it.
std::string drain(int fd, std::chrono::seconds patience) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  std::string text;
  char buffer[4096];
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd ready{fd, POLLIN, 0};
    if (::poll(&ready, 1, 100) <= 0) {
      continue;
    }
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) {
      break;  // EIO: the program's side is closed
    }
    text.append(buffer, static_cast<std::size_t>(n));
  }
  return text;
}

// Caught: a range of millions of dates or thousands of years of events
// written to a file ran for minutes with no sign of life. At a terminal the
// progress line comes and is cleared at the end; the file holds the same
// bytes as without a terminal; a short run shows nothing.
TEST(Progress, LongWorkShowsItsProgressAtATerminal) {
  const struct {
    std::vector<std::string> arguments;
    std::string unit;  // what the line counts; empty: no line at all
    bool compared;     // the file against a run without a terminal
  } cases[] = {
      // 700 MB of CSV, thrown away: about 4 s of work.
      {{"--from", "2000-01-01", "--to", "2000-01-04", "--step", "1s", "--format", "csv"},
       " / 259 201 dates (",
       false},
      // Four centuries of the Moon's phases on the precise theory: about
      // 4 s, without a note (all within its years).
      {{"--evenements", "--from", "1800-01-02", "--to", "2199-12-30", "--types", "phases",
        "--format", "csv"},
       " / 400 ans (",
       true},
      {{"--from", "2000-01-01", "--to", "2000-01-02", "--step", "1h", "--format", "csv"}, "", true},
  };
  const std::string watched = ::testing::TempDir() + "progress_watched.csv";
  const std::string unwatched = ::testing::TempDir() + "progress_unwatched.csv";
  for (const auto& c : cases) {
    Child child =
        startWithErrorsOnTerminal(c.compared ? watched.c_str() : "/dev/null", c.arguments);
    const std::string screen = drain(child.errors, std::chrono::seconds(120));
    const Transcript end = finish(child, std::chrono::seconds(120));
    EXPECT_EQ(end.exitStatus, 0) << screen;
    if (c.compared) {
      std::ofstream{unwatched, std::ios::trunc};  // the program writes into it, as it is
      const Transcript piped =
          runProgram("", unwatched.c_str(), std::chrono::seconds(120), c.arguments);
      EXPECT_EQ(piped.exitStatus, 0);
      EXPECT_EQ(piped.errors, "");
      const std::string file = contentsOf(watched);
      EXPECT_GT(file.size(), 1000U);
      EXPECT_TRUE(file == contentsOf(unwatched)) << c.arguments[1];
    }
    if (c.unit.empty()) {
      EXPECT_EQ(screen, "");
      continue;
    }
    EXPECT_NE(screen.find(c.unit), std::string::npos) << screen;
    EXPECT_NE(screen.find(" par s, reste "), std::string::npos) << screen;
    // Each line rewrites the last; the last of all is blanks, then the
    // cursor back at the start of an empty line.
    ASSERT_FALSE(screen.empty());
    EXPECT_EQ(screen.front(), '\r');
    const std::size_t last = screen.rfind('\r', screen.size() - 2);
    ASSERT_NE(last, std::string::npos);
    EXPECT_EQ(screen.back(), '\r');
    EXPECT_EQ(screen.substr(last + 1, screen.size() - last - 2).find_first_not_of(' '),
              std::string::npos);
    EXPECT_EQ(screen.find('\n'), std::string::npos);
    std::size_t start = 0;
    while ((start = screen.find('\r', start)) != std::string::npos) {
      const std::size_t next = screen.find('\r', start + 1);
      const std::string line = screen.substr(start + 1, next - start - 1);
      std::size_t columns = 0;
      for (const char ch : line) {
        columns += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
      }
      EXPECT_LE(columns, 80U) << line;
      start = next;
    }
  }
  std::remove(watched.c_str());
  std::remove(unwatched.c_str());
}

// Caught: refusals and notes up to 300 characters on one line, wrapped by
// the terminal in the middle of words. At a terminal each line of a
// message fits 80 columns, and the words are those of the message that a
// pipe gets on one line.
TEST(TerminalErrors, LongMessagesWrapAtEightyColumns) {
  const std::vector<std::vector<std::string>> cases = {
      {"--lieu", "Atlantis", "2025-01-01"},
      {"--lieu", "45,76,4,84", "2025-01-01"},
      {"--fuseau", "paris", "2025-01-01"},
      {"--lieu", "0,-30", "2025-06-21"},
      {"--format", "csv", "1/1/500", "2/1/500"},
      {"--evenements", "2025", "--format", "ics", "--delta-t", "nan"},
  };
  for (const auto& arguments : cases) {
    Child child = startWithErrorsOnTerminal("/dev/null", arguments);
    const std::string screen = drain(child.errors, std::chrono::seconds(60));
    finish(child);
    const Transcript piped = runProgram("", nullptr, kPatience, arguments);
    EXPECT_GT(piped.errors.size(), 80U) << arguments[1];
    std::string joined = screen;
    for (char& ch : joined) {
      ch = ch == '\n' ? ' ' : ch;
    }
    std::string flat = piped.errors;
    for (char& ch : flat) {
      ch = ch == '\n' ? ' ' : ch;
    }
    EXPECT_EQ(joined, flat) << arguments[1];
    std::size_t start = 0;
    while (start < screen.size()) {
      const std::size_t end = std::min(screen.find('\n', start), screen.size());
      std::size_t columns = 0;
      for (std::size_t i = start; i < end; ++i) {
        columns += (static_cast<unsigned char>(screen[i]) & 0xC0) != 0x80 ? 1 : 0;
      }
      EXPECT_LE(columns, 80U) << screen.substr(start, end - start);
      start = end + 1;
    }
  }
}

}  // namespace
