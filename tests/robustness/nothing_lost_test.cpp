// Nothing lost, nothing reordered: 10,000 dates with bad lines between them
// give the same 10,000 reports, byte for byte and in the same order, as the
// same dates alone. Each bad line is one the program refuses as a whole, so
// that it takes nothing of the next date with it.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tests/robustness/child_process.h"

namespace {
constexpr int kDates = 10'000;

struct BadLine {
  std::string text;
  int messages;  // lines it writes on standard error
};

const BadLine kBadLines[] = {
    {"abc", 1},
    {"15,5", 1},
    {"1 0 2000", 1},
    {"1 -3 2000", 1},
    {"1 1 214749", 1},
    {"1 1 -2147483648", 1},
    {"1 4294967296 2000", 1},
    {"1e999 1 2000", 1},
    {"nan 1 2000", 1},
    {"inf", 1},
    {"1 1 deux", 1},
    {std::string("\x00\xff\x80\x1b", 4), 1},
    {"1 0 2000 3 4 2000", 1},  // the valid rest goes with the line
    {"1 1 2000.5", 1},         // no part of a word is carried to the next date
    {"15.5x 1 2000", 1},
    {"", 0},
    {" \t \r", 0},
};

struct Dates {
  std::string clean;  // one date per line
  std::string withBadLines;
  std::vector<std::string> headerStarts;  // how each report's header begins
  int messages = 0;
};

// The dates come from a fixed Mersenne Twister sequence, which the standard
// defines exactly, so every machine runs the same input.
Dates makeDates() {
  std::mt19937 random(20240607u);
  Dates dates;
  for (int i = 0; i < kDates; ++i) {
    // Days with at most two decimals, the last one not 0, print as typed.
    std::string day = std::to_string(1 + random() % 31);
    if (random() % 2 == 0) {
      const auto hundredths = static_cast<unsigned>(1 + random() % 99);
      day += "." + std::to_string(hundredths / 10) + std::to_string(hundredths % 10);
      if (hundredths % 10 == 0) {
        day.pop_back();
      }
    }
    const std::string month = std::to_string(1 + random() % 14);
    const std::string year = std::to_string(static_cast<int>(random() % 8001) - 4000);
    const std::string line = day + " " + month + " " + year + "\n";
    dates.clean += line;
    dates.headerStarts.push_back(day + "/" + month + "/" + year + "  (Jour Julien : ");
    for (std::uint32_t bad = random() % 4; bad > 0; --bad) {
      const BadLine& b = kBadLines[random() % std::size(kBadLines)];
      dates.withBadLines += b.text + "\n";
      dates.messages += b.messages;
    }
    dates.withBadLines += line;
  }
  return dates;
}

// Standard output without its prompts: the banner, the reports, the last
// line end.
std::string withoutPrompts(std::string text) {
  for (const std::string prompt : {"Jour : ", "Mois : ", "Annee : "}) {
    std::string kept;
    std::size_t from = 0;
    for (std::size_t at = text.find(prompt); at != std::string::npos;
         at = text.find(prompt, from)) {
      kept.append(text, from, at - from);
      from = at + prompt.size();
    }
    kept.append(text, from);
    text = kept;
  }
  return text;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::size_t from = 0;
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', from)) {
    result.push_back(text.substr(from, at - from));
    from = at + 1;
  }
  return result;
}

// Where two long texts part, with some context, instead of both in full.
std::string firstDifference(const std::string& a, const std::string& b) {
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) {
    ++at;
  }
  if (at == a.size() && at == b.size()) {
    return "";
  }
  const std::size_t from = at < 200 ? 0 : at - 200;
  return "differ at byte " + std::to_string(at) + ":\n" + a.substr(from, 400) + "\n----\n" +
         b.substr(from, 400);
}

TEST(NothingLost, BadLinesBetweenTenThousandDatesChangeNoReport) {
  const Dates dates = makeDates();
  const Transcript clean = runProgram(dates.clean);
  const Transcript mixed = runProgram(dates.withBadLines);
  ASSERT_FALSE(clean.timedOut);
  ASSERT_FALSE(mixed.timedOut);
  EXPECT_EQ(clean.exitStatus, 0);
  EXPECT_EQ(mixed.exitStatus, dates.messages > 0 ? 1 : 0);
  // Most of the dates lie outside the years where the accuracy is measured:
  // one note at the end says so, the same with or without the bad lines.
  const std::vector<std::string> note = lines(clean.errors);
  ASSERT_EQ(note.size(), 1u) << clean.errors;
  EXPECT_TRUE(note.front().starts_with("Note : ")) << note.front();
  const std::vector<std::string> messages = lines(mixed.errors);
  EXPECT_EQ(static_cast<int>(messages.size()), dates.messages + 1);
  EXPECT_EQ(messages.back(), note.front());

  const std::string reports = withoutPrompts(clean.output);
  ASSERT_EQ(firstDifference(reports, withoutPrompts(mixed.output)), "");

  // And those are the 10,000 reports of the dates typed, in their order.
  const std::vector<std::string> reportLines = lines(reports);
  ASSERT_EQ(reportLines.size(), 2 + 14 * static_cast<std::size_t>(kDates) + 1);
  EXPECT_EQ(reportLines.front() + "\n\n", kBanner);
  for (int i = 0; i < kDates; ++i) {
    const std::string& header = reportLines[2 + 14 * static_cast<std::size_t>(i)];
    ASSERT_EQ(header.substr(0, dates.headerStarts[i].size()), dates.headerStarts[i])
        << "report " << i;
  }
}
}  // namespace
