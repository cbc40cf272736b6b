// parseEventKinds: the words of --types.
#include "frontend/read/event_kinds.h"

#include <algorithm>
#include <string>

#include "frontend/place/place.h"

namespace frontend {
namespace {

// Kinds of events that one word of --types names together.
struct EventGroup {
  std::string_view name;
  astro::EventKindSet kinds;
};

// A name without its underscores, so that "pleine_lune", "pleine lune"
// and "Pleine-Lune" are one word once folded.
std::string withoutUnderscores(std::string name) {
  std::erase(name, '_');
  return name;
}

// Each kind by its French name, folded, in the order of astro::kEventKinds.
// The perihelion and the perigee go by the groups' names, which take their
// opposite with them; aphelie and apogee name one kind.
constexpr std::string_view kFrenchKinds[astro::kEventKindCount] = {
    "nouvelle_lune",
    "premier_quartier",
    "pleine_lune",
    "dernier_quartier",
    "equinoxe_de_mars",
    "solstice_de_juin",
    "equinoxe_de_septembre",
    "solstice_de_decembre",
    "perihelie",
    "aphelie",
    "perigee",
    "apogee",
    "conjonction_inferieure",
    "conjonction_superieure",
    "conjonction",
    "opposition",
    "plus_grande_elongation_est",
    "plus_grande_elongation_ouest",
    "rapprochement",
    "eclipse_de_soleil",
    "eclipse_de_lune",
    "passage",
    "occultation",
};

}  // namespace

Parsed<astro::EventKindSet> parseEventKinds(std::string_view text) {
  using astro::EventKind;
  using astro::eventKindBit;
  // The groups by their French names, folded as foldedName folds them.
  static const EventGroup kGroups[] = {
      {"phases", eventKindBit(EventKind::NewMoon) | eventKindBit(EventKind::FirstQuarter) |
                     eventKindBit(EventKind::FullMoon) | eventKindBit(EventKind::LastQuarter)},
      {"saisons", eventKindBit(EventKind::MarchEquinox) | eventKindBit(EventKind::JuneSolstice) |
                      eventKindBit(EventKind::SeptemberEquinox) |
                      eventKindBit(EventKind::DecemberSolstice)},
      {"perihelie", eventKindBit(EventKind::Perihelion) | eventKindBit(EventKind::Aphelion)},
      {"perigee", eventKindBit(EventKind::Perigee) | eventKindBit(EventKind::Apogee)},
      {"conjonctions", eventKindBit(EventKind::InferiorConjunction) |
                           eventKindBit(EventKind::SuperiorConjunction) |
                           eventKindBit(EventKind::Conjunction)},
      {"oppositions", eventKindBit(EventKind::Opposition)},
      {"elongations", eventKindBit(EventKind::GreatestElongationEast) |
                          eventKindBit(EventKind::GreatestElongationWest)},
      {"rapprochements", eventKindBit(EventKind::CloseApproach)},
      {"eclipses", eventKindBit(EventKind::SolarEclipse) | eventKindBit(EventKind::LunarEclipse) |
                       eventKindBit(EventKind::Transit) | eventKindBit(EventKind::Occultation)},
  };
  astro::EventKindSet kinds = 0;
  std::size_t at = 0;
  while (at <= text.size()) {
    const std::size_t comma = std::min(text.find(',', at), text.size());
    const std::string_view word = text.substr(at, comma - at);
    const std::string folded = foldedName(word);
    astro::EventKindSet found = 0;
    for (const EventGroup& group : kGroups) {
      found |= folded == group.name ? group.kinds : 0;
    }
    const std::string bare = withoutUnderscores(folded);
    for (std::size_t i = 0; found == 0 && i < astro::kEventKindCount; ++i) {
      found |= bare == withoutUnderscores(std::string(kFrenchKinds[i]))
                   ? eventKindBit(astro::kEventKinds[i])
                   : 0;
    }
    for (const EventKind kind : astro::kEventKinds) {
      found |= word == astro::eventKindId(kind) ? eventKindBit(kind) : 0;
    }
    if (found == 0) {
      return Refusal{Subject::CommandLine, Reason::EventTypeUnknown, std::string(word), {}};
    }
    kinds |= found;
    at = comma + 1;
  }
  return kinds;
}

}  // namespace frontend
