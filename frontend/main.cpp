// Ephemerides: where the Sun, the Moon and the planets stand, date by date.
#include <iostream>

#include "frontend/dialogue.h"

int main() {
  // The console streams need not keep in step with C stdio; every prompt
  // and report is flushed all the same.
  std::ios::sync_with_stdio(false);
  return frontend::runDialogue();
}
