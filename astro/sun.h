// The Sun's place, from the prelude of its date.
#pragma once

#include "astro/prelude.h"
#include "astro/sky_position.h"

namespace astro {

// The Sun from the prelude alone:
//   alpha = atan2(sin lambda cos eps, cos lambda),  delta = asin(sin eps sin lambda)
// with lambda the Sun's true longitude; its distance is the radius vector R.
SkyPosition sunPosition(const Prelude& prelude);

}  // namespace astro
