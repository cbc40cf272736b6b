// printBodyName: the body's name on standard output.
#include "astro/body_names.h"

#include <iostream>

void printBodyName(BodyIndex index) {
  if (index >= 0 && index < kBodyCount) {
    std::cout << kBodyNames[index];
  }
}
