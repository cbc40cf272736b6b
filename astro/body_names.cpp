// printBodyName: the body's name on standard output.
#include <iostream>

#include "astro/body_names.h"

void printBodyName(BodyIndex index) {
  if (index >= 0 && index < kBodyCount) {
    std::cout << kBodyNames[index];
  }
}
