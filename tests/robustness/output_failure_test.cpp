// Standard output that cannot be written is a failure, not a success: the
// program says so on standard error and ends with status 1, without
// waiting for more input. /dev/full refuses every write.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "tests/robustness/child_process.h"

namespace {
// Caught: the message lacked the program's name that every other has.
const std::string kCannotWrite =
    "ephemerides : erreur : impossible d'écrire sur la sortie standard.\n";

struct FullOutputCase {
  const char* name;
  std::string input;
};

const FullOutputCase kCases[] = {
    {"NoInput", ""},
    {"OneDate", "1.5 1 2000\n"},
    {"ManyDates",
     [] {
       std::string dates;
       for (int i = 0; i < 200; ++i) {
         dates += "1.5 1 2000\n";
       }
       return dates;
     }()},
    {"BadAnswers", "abc\n1 0 2000\n"},
};

void PrintTo(const FullOutputCase& c, std::ostream* os) {
  *os << c.name;
}

class FullOutput : public testing::TestWithParam<FullOutputCase> {};

TEST_P(FullOutput, SaysSoOnceAndEndsWithStatus1) {
  const Transcript run = runProgram(GetParam().input, "/dev/full");
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.killedBy, 0);
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.errors, kCannotWrite);
}

INSTANTIATE_TEST_SUITE_P(DevFull, FullOutput, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<FullOutputCase>& tested) {
                           return std::string(tested.param.name);
                         });

// Caught: after the banner failed to be written, the program still waited
// for a whole date on standard input before it noticed, so with an open but
// silent input it never ended.
TEST(OutputFailure, EndsWithoutWaitingForInputThatNeverComes) {
  Child child = startProgram("/dev/full");
  std::string err;
  const Received message = receiveThrough(child.errors, err, "\n", std::chrono::seconds(10));
  EXPECT_EQ(message.text, kCannotWrite);
  const Transcript end = finish(child, std::chrono::seconds(1));
  EXPECT_FALSE(end.timedOut) << "the program waited for input after its output failed";
  EXPECT_EQ(end.exitStatus, 1);
}
}  // namespace
