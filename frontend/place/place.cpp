// Places: coordinates read from text, and the known places of places.csv,
// which the build writes into the program as one string (places_csv.h) and
// which is read into a table and an index of folded names on first use.
#include "frontend/place/place.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>

#include "frontend/places_csv.h"
#include "frontend/write/catalogue.h"

namespace frontend {
namespace {

constexpr double kMostLatitude = 90;
constexpr double kMostLongitude = 180;
constexpr double kLowestHeight = -500;
constexpr double kHighestHeight = 10'000;
// Known names are far shorter: longer text gets no suggestions (whose cost
// grows with its length).
constexpr std::size_t kLongestSuggestedFrom = 64;
constexpr std::size_t kMostSuggestions = 3;
// Digits enough for any coordinate, and few enough for a double to hold
// whatever they say.
constexpr std::size_t kLongestNumber = 32;

// U+00C0 to U+017F folded: lower case, without accents; empty for the two
// signs of the block (× and ÷), which stay as they are.
constexpr std::string_view kLatinFolds[] = {
    "a", "a", "a",  "a",  "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",   // U+00C0
    "d", "n", "o",  "o",  "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",  // U+00D0
    "a", "a", "a",  "a",  "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",   // U+00E0
    "d", "n", "o",  "o",  "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y",   // U+00F0
    "a", "a", "a",  "a",  "a", "a", "c",  "c", "c", "c", "c", "c", "c", "c", "d",  "d",   // U+0100
    "d", "d", "e",  "e",  "e", "e", "e",  "e", "e", "e", "e", "e", "g", "g", "g",  "g",   // U+0110
    "g", "g", "g",  "g",  "h", "h", "h",  "h", "i", "i", "i", "i", "i", "i", "i",  "i",   // U+0120
    "i", "i", "ij", "ij", "j", "j", "k",  "k", "k", "l", "l", "l", "l", "l", "l",  "l",   // U+0130
    "l", "l", "l",  "n",  "n", "n", "n",  "n", "n", "n", "n", "n", "o", "o", "o",  "o",   // U+0140
    "o", "o", "oe", "oe", "r", "r", "r",  "r", "r", "r", "s", "s", "s", "s", "s",  "s",   // U+0150
    "s", "s", "t",  "t",  "t", "t", "t",  "t", "u", "u", "u", "u", "u", "u", "u",  "u",   // U+0160
    "u", "u", "u",  "u",  "w", "w", "y",  "y", "y", "z", "z", "z", "z", "z", "z",  "s",   // U+0170
};

constexpr bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && isBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

Refusal refused(std::string_view text, Reason reason, std::string detail = {}) {
  return Refusal{Subject::Place, reason, std::string(text), std::move(detail)};
}

// ---- The known places ----

std::vector<std::string_view> fieldsOf(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (std::size_t comma = line.find(','); comma != std::string_view::npos;
       comma = line.find(',', start)) {
    fields.push_back(line.substr(start, comma - start));
    start = comma + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

double degreesOf(std::string_view text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// places.csv has no quoted field (its test sees to that): fields are split
// at every comma. The header line and the comments are skipped.
std::vector<KnownPlace> readPlaces() {
  std::vector<KnownPlace> places;
  std::string_view rest = kPlacesCsv;
  bool header = true;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    if (line.empty() || line.front() == '#') {
      continue;
    }
    const std::vector<std::string_view> f = fieldsOf(line);
    if (header || f.size() != 7) {
      header = false;
      continue;
    }
    places.push_back(KnownPlace{std::string(f[0]), std::string(f[1]), std::string(f[2]),
                                std::string(f[3]), degreesOf(f[4]), degreesOf(f[5]),
                                std::string(f[6])});
  }
  return places;
}

// The known places by folded name: each place under its name, its alias and
// its qualified name, "NAME (QUALIFIER)".
struct Index {
  std::unordered_map<std::string, std::vector<std::size_t>> byKey;
  std::vector<std::pair<std::string, std::size_t>> keys;  // for suggestions
  std::vector<std::string> shown;                         // each place's name as shown
};

std::string qualified(const KnownPlace& place) {
  return place.name + " (" + place.qualifier + ")";
}

const Index& index() {
  static const Index built = [] {
    Index ix;
    const std::vector<KnownPlace>& places = knownPlaces();
    const auto add = [&ix](std::string key, std::size_t i) {
      std::vector<std::size_t>& at = ix.byKey[key];
      if (std::find(at.begin(), at.end(), i) == at.end()) {
        at.push_back(i);
        ix.keys.emplace_back(std::move(key), i);
      }
    };
    for (std::size_t i = 0; i < places.size(); ++i) {
      add(foldedName(places[i].name), i);
      if (!places[i].alias.empty()) {
        add(foldedName(places[i].alias), i);
      }
      add(foldedName(qualified(places[i])), i);
    }
    // A name that another place also answers to is shown with its
    // qualifier.
    for (std::size_t i = 0; i < places.size(); ++i) {
      const bool shared = ix.byKey[foldedName(places[i].name)].size() > 1;
      ix.shown.push_back(shared ? qualified(places[i]) : places[i].name);
    }
    return ix;
  }();
  return built;
}

Place placeOf(std::size_t i) {
  const KnownPlace& known = knownPlaces()[i];
  return Place{
      index().shown[i],
      astro::Observer{known.latitude * astro::kPi / 180, known.longitude * astro::kPi / 180, 0},
      known.zone, known.latitude, known.longitude};
}

// Up to three known places whose names are closest to `key`, within a third
// of its length (at least 2 edits), one a line.
std::string suggestionsFor(const std::string& key) {
  if (key.size() > kLongestSuggestedFrom) {
    return {};
  }
  const Index& ix = index();
  const std::size_t limit = std::max<std::size_t>(2, (key.size() + 2) / 3);
  std::vector<std::pair<std::size_t, std::size_t>> best;  // distance, place
  for (const auto& [name, i] : ix.keys) {
    const std::size_t d = editDistance(key, name);
    if (d > limit) {
      continue;
    }
    const auto same =
        std::find_if(best.begin(), best.end(), [i = i](const auto& b) { return b.second == i; });
    if (same == best.end()) {
      best.emplace_back(d, i);
    } else {
      same->first = std::min(same->first, d);
    }
  }
  std::stable_sort(best.begin(), best.end(),
                   [](const auto& x, const auto& y) { return x.first < y.first; });
  std::string lines;
  for (std::size_t k = 0; k < best.size() && k < kMostSuggestions; ++k) {
    lines += k == 0 ? "" : "\n";
    lines += ix.shown[best[k].second];
  }
  return lines;
}

Parsed<Place> named(std::string_view text) {
  const std::string key = foldedName(text);
  const Index& ix = index();
  const auto found = ix.byKey.find(key);
  if (found == ix.byKey.end()) {
    return refused(text, Reason::PlaceUnknown, suggestionsFor(key));
  }
  if (found->second.size() > 1) {
    std::string lines;
    for (const std::size_t i : found->second) {
      lines += lines.empty() ? "" : "\n";
      lines += qualified(knownPlaces()[i]);
    }
    return refused(text, Reason::PlaceAmbiguous, std::move(lines));
  }
  return placeOf(found->second.front());
}

// ---- Coordinates ----

// [+-]digits[.digits], blanks around it allowed, at most 32 characters:
// the number and the text without its blanks, or nothing.
bool decimal(std::string_view field, double& value, std::string_view& text) {
  text = trimmed(field);
  if (text.size() > kLongestNumber) {
    return false;
  }
  std::string_view digits = text;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
    digits.remove_prefix(1);
  }
  const std::size_t point = digits.find('.');
  const std::string_view whole = digits.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : digits.substr(point + 1);
  const auto allDigits = [](std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (whole.empty() || !allDigits(whole) ||
      (point != std::string_view::npos && (fraction.empty() || !allDigits(fraction)))) {
    return false;
  }
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (text.front() == '-') {
    value = -value;
  }
  return true;
}

// The text of a number as shown: without its sign.
std::string_view magnitude(std::string_view text) {
  return text.front() == '+' || text.front() == '-' ? text.substr(1) : text;
}

Parsed<Place> coordinates(std::string_view text) {
  const std::vector<std::string_view> fields = fieldsOf(text);
  double latitude = 0;
  double longitude = 0;
  double height = 0;
  std::string_view latitudeText;
  std::string_view longitudeText;
  std::string_view heightText;
  if ((fields.size() != 2 && fields.size() != 3) || !decimal(fields[0], latitude, latitudeText) ||
      !decimal(fields[1], longitude, longitudeText) ||
      (fields.size() == 3 && !decimal(fields[2], height, heightText))) {
    return refused(text, Reason::PlaceForm);
  }
  if (std::abs(latitude) > kMostLatitude) {
    return refused(text, Reason::PlaceLatitudeOutOfRange);
  }
  if (std::abs(longitude) > kMostLongitude) {
    return refused(text, Reason::PlaceLongitudeOutOfRange);
  }
  if (height < kLowestHeight || height > kHighestHeight) {
    return refused(text, Reason::PlaceHeightOutOfRange);
  }
  // No negative zero, shown or written: -0 is 0.
  latitude += 0.0;
  longitude += 0.0;
  height += 0.0;
  if (!heightText.empty() &&
      (heightText.front() == '+' || (height == 0 && heightText.front() == '-'))) {
    heightText.remove_prefix(1);
  }
  return Place{catalogue::coordinatesName(magnitude(latitudeText), latitude < 0,
                                          magnitude(longitudeText), longitude < 0, heightText),
               astro::Observer{latitude * astro::kPi / 180, longitude * astro::kPi / 180, height},
               {},
               latitude,
               longitude};
}

}  // namespace

Parsed<Place> parsePlace(std::string_view text) {
  const std::string_view place = trimmed(text);
  if (place.empty()) {
    return refused(text, Reason::PlaceForm);
  }
  const char first = place.front();
  if ((first >= '0' && first <= '9') || first == '+' || first == '-' || first == '.') {
    return coordinates(place);
  }
  return named(place);
}

const std::vector<KnownPlace>& knownPlaces() {
  static const std::vector<KnownPlace> places = readPlaces();
  return places;
}

const std::string& knownPlaceName(std::size_t index) {
  return frontend::index().shown[index];
}

std::size_t editDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) {
    row[j] = j;
  }
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::vector<NearPlace> knownPlacesNear(const astro::Observer& observer, double withinKm) {
  constexpr double kEarthRadiusKm = 6371;
  const std::vector<KnownPlace>& places = knownPlaces();
  std::vector<NearPlace> near;
  for (std::size_t i = 0; i < places.size(); ++i) {
    const double latitude = places[i].latitude * astro::kPi / 180;
    const double longitude = places[i].longitude * astro::kPi / 180;
    // The haversine: well conditioned at short distances.
    const double a = std::pow(std::sin((latitude - observer.latitude) / 2), 2) +
                     std::cos(latitude) * std::cos(observer.latitude) *
                         std::pow(std::sin((longitude - observer.longitude) / 2), 2);
    const double km = 2 * kEarthRadiusKm * std::asin(std::sqrt(std::min(1.0, a)));
    if (km <= withinKm) {
      near.push_back(NearPlace{i, km});
    }
  }
  std::stable_sort(near.begin(), near.end(), [](const NearPlace& x, const NearPlace& y) {
    return x.distanceKm < y.distanceKm;
  });
  return near;
}

std::string foldedName(std::string_view name) {
  std::string key;
  key.reserve(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c == ' ' || c == '-' || c == '\'') {
      continue;
    }
    if (c >= 'A' && c <= 'Z') {
      key += static_cast<char>(c - 'A' + 'a');
      continue;
    }
    // A two-byte UTF-8 sequence, U+0080 to U+07FF.
    if ((c & 0xE0) == 0xC0 && i + 1 < name.size() &&
        (static_cast<unsigned char>(name[i + 1]) & 0xC0) == 0x80) {
      const unsigned code = (c & 0x1Fu) << 6 | (static_cast<unsigned char>(name[i + 1]) & 0x3Fu);
      if (code >= 0xC0 && code <= 0x17F && !kLatinFolds[code - 0xC0].empty()) {
        key += kLatinFolds[code - 0xC0];
        ++i;
        continue;
      }
      // A combining accent (U+0300 to U+036F) after its letter, as text
      // decomposed (NFD) writes "é": the accent goes as the composed
      // letter's does.
      if (code >= 0x300 && code <= 0x36F) {
        ++i;
        continue;
      }
    }
    // ’, U+2019, the typographic apostrophe.
    if (name.substr(i, 3) == "\xE2\x80\x99") {
      i += 2;
      continue;
    }
    key += static_cast<char>(c);
  }
  return key;
}

}  // namespace frontend
