// The dialogue at a terminal, as a person types into it: the program's
// standard input and output on a pseudo-terminal, its messages on a pipe.
#include <gtest/gtest.h>

#include <string>

#include "tests/robustness/child_process.h"

namespace {

void expectNext(int fd, std::string& pending, const std::string& expected) {
  const Received got = receiveThrough(fd, pending, expected);
  EXPECT_TRUE(got.complete) << "waited in vain for \"" << expected << "\"; got \"" << got.text
                            << "\"";
  EXPECT_EQ(got.text, expected);
}

// Caught: a typo corrected at the prompt ended a good session with status
// 1, and `make run` with "Error 1". At a terminal the answer is asked again
// and given: nothing is lost.
TEST(TerminalDialogue, AnAnswerRefusedAndGivenAgainIsNotAFailure) {
  Child child = startOnTerminal();
  std::string out;
  std::string err;
  expectNext(child.output, out, kBanner + "Jour : ");
  sendText(child, "1,5\n");
  expectNext(child.errors, err,
             "Saisie invalide : \"1,5\" : le jour doit être un nombre ; le séparateur décimal est "
             "le point (1.5).\n");
  expectNext(child.output, out, "Jour : ");
  sendText(child, "1.5 1 2000\n");
  expectNext(child.output, out, "Mois : Annee : " + golden("report_2000.txt") + "Jour : ");
  sendText(child, "\x04");  // Ctrl-D
  expectNext(child.output, out, "\n");
  const Transcript end = finish(child);
  EXPECT_FALSE(end.timedOut);
  EXPECT_EQ(end.exitStatus, 0);
}

// Caught: Ctrl-D in the middle of a date printed its message glued to the
// "Annee : " prompt. At a terminal the line ends first.
TEST(TerminalDialogue, CtrlDWithinADateEndsThePromptLineBeforeItsMessage) {
  Child child = startOnTerminal();
  std::string out;
  std::string err;
  expectNext(child.output, out, kBanner + "Jour : ");
  sendText(child, "15 4\n");
  expectNext(child.output, out, "Mois : Annee : ");
  sendText(child, "\x04");
  expectNext(child.output, out, "\n");
  expectNext(child.errors, err,
             "Date incomplète : \"15/4\" : l'entrée s'est terminée avant la fin de la date.\n");
  const Transcript end = finish(child);
  EXPECT_FALSE(end.timedOut);
  EXPECT_EQ(end.exitStatus, 0);
  std::string rest;
  EXPECT_EQ(receiveWithin(child.output, rest, std::chrono::milliseconds(50)), "");
}

}  // namespace
