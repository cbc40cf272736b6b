// The program driven through pipes the way a front-end program drives it:
// wait for each prompt, answer it, read the whole report up to its empty
// line, and only then send the next date. Every wait has a time limit, so
// a prompt that is not flushed fails the test instead of hanging it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "tests/robustness/child_process.h"

namespace {
using std::chrono::milliseconds;

const std::string kHeader1987 =
    "10/4/1987  (Jour Julien : 2446895.5)  (Temps siderale : 13h 10m 46s)\n";

// The next thing on the stream must be exactly `expected`.
void expectNext(int fd, std::string& pending, const std::string& expected) {
  const Received got = receiveThrough(fd, pending, expected);
  EXPECT_TRUE(got.complete) << "waited in vain for \"" << expected << "\"; got \"" << got.text
                            << "\"";
  EXPECT_EQ(got.text, expected);
}

// A whole report: everything up to its empty line.
std::string nextReport(int fd, std::string& pending) {
  const Received got = receiveThrough(fd, pending, "\n\n");
  EXPECT_TRUE(got.complete) << "report cut short: \"" << got.text << "\"";
  return got.text;
}

TEST(PipeDialogue, EachPromptIsAnsweredOnlyOnceItHasArrived) {
  Child child = startProgram();
  std::string out;
  std::string err;

  expectNext(child.output, out, kBanner + "Jour : ");
  sendText(child, "1.5\n");
  expectNext(child.output, out, "Mois : ");
  sendText(child, "1\n");
  expectNext(child.output, out, "Annee : ");
  sendText(child, "2000\n");
  EXPECT_EQ(nextReport(child.output, out), golden("report_2000.txt"));
  expectNext(child.output, out, "Jour : ");

  // Three answers on one line: the two other prompts follow at once.
  sendText(child, "10 4 1987\n");
  expectNext(child.output, out, "Mois : Annee : ");
  const std::string report1987 = nextReport(child.output, out);
  EXPECT_EQ(report1987.substr(0, kHeader1987.size()), kHeader1987);
  EXPECT_EQ(std::count(report1987.begin(), report1987.end(), '\n'), 14);
  expectNext(child.output, out, "Jour : ");

  // A bad answer: its message on standard error, the date asked again.
  sendText(child, "abc\n");
  expectNext(child.errors, err, "Saisie invalide : \"abc\" : le jour doit être un nombre.\n");
  expectNext(child.output, out, "Jour : ");

  // A number that arrives in two pieces is read as one.
  sendText(child, "1");
  EXPECT_EQ(receiveWithin(child.output, out, milliseconds(100)), "");
  sendText(child, ".5 1 2000\n");
  expectNext(child.output, out, "Mois : Annee : ");
  EXPECT_EQ(nextReport(child.output, out), golden("report_2000.txt"));
  expectNext(child.output, out, "Jour : ");

  closeInput(child);
  expectNext(child.output, out, "\n");
  EXPECT_EQ(receiveThrough(child.output, out, "\n").text, "") << "output after the end";
  EXPECT_EQ(receiveWithin(child.errors, err, milliseconds(0)), "");
  const Transcript end = finish(child);
  EXPECT_FALSE(end.timedOut);
  EXPECT_EQ(end.exitStatus, 1) << "one answer was refused";
}

// A reader that goes away is a failed output. From a shell SIGPIPE ends the
// program; a front end that leaves SIGPIPE ignored must see status 1 and a
// message instead of a program that goes on reading.
TEST(PipeDialogue, ReaderGoneWithSigpipeIgnoredEndsWithStatus1) {
  Child child = startProgram(nullptr, true);
  std::string out;
  std::string err;
  expectNext(child.output, out, kBanner + "Jour : ");
  sendText(child, "1.5 1 2000\n");
  expectNext(child.output, out, "Mois : Annee : ");
  EXPECT_EQ(nextReport(child.output, out), golden("report_2000.txt"));
  expectNext(child.output, out, "Jour : ");

  ::close(child.output);
  child.output = -1;
  sendText(child, "10 4 1987\n");
  expectNext(child.errors, err,
             "ephemerides : erreur : impossible d'écrire sur la sortie standard.\n");
  const Transcript end = finish(child);
  EXPECT_FALSE(end.timedOut);
  EXPECT_EQ(end.killedBy, 0);
  EXPECT_EQ(end.exitStatus, 1);
}
}  // namespace
