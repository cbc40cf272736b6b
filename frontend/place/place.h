// Where the observer stands: a place given by its coordinates, or by the
// name of one of the places the program knows (frontend/place/places.csv, from
// GeoNames: the préfectures, the French towns of 50,000 inhabitants and
// more, and cities of the world).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "astro/astro.h"
#include "frontend/read/refusal.h"

namespace frontend {

struct Place {
  // As shown to a person: "Lyon", "Saint-Denis (La Réunion)" for a name
  // that several places share, "45,76° N, 4,84° E" for coordinates.
  std::string name;
  // Latitude and longitude in radians, north and east positive; height in
  // metres (0 for a named place).
  astro::Observer observer;
  // The IANA time zone of a named place ("Europe/Paris"); empty for
  // coordinates.
  std::string zone;
  // Latitude and longitude in degrees as they were given (typed, or in the
  // table of places), for the records to write them back as they were:
  // 45.75, not the 45.75000000000001 that degrees from radians give.
  double latitudeDegrees;
  double longitudeDegrees;
};

// A place, as --lieu and EPHEMERIDES_LIEU give it:
//   LAT,LON or LAT,LON,HEIGHT  decimal degrees, north and east positive
//                              (a point for the decimals, no exponent, at
//                              most 32 characters each, blanks allowed
//                              around the commas), the height in metres;
//                              latitude within 90 degrees, longitude within
//                              180, height from -500 to 10,000 m;
//   NAME or NAME (QUALIFIER)   a known place, whatever the case, the accents,
//                              the hyphens, blanks and apostrophes
//                              ("saint etienne" is Saint-Étienne); the
//                              qualifier, a département or a country, tells
//                              apart the places of one name.
// Text beginning with a digit, a sign or a point is read as coordinates.
// A refusal is of the subject Place and quotes the whole text: PlaceForm,
// Place...OutOfRange, PlaceUnknown with up to three close names, or
// PlaceAmbiguous with the places of that name (detail: one a line).
Parsed<Place> parsePlace(std::string_view text);

// One line of places.csv: degrees, and the names as written there.
struct KnownPlace {
  std::string name;       // "Saint-Denis"
  std::string qualifier;  // its département, or its country ("La Réunion")
  std::string alias;      // GeoNames' spelling where it differs ("London"), or empty
  std::string country;    // ISO 3166 code ("RE")
  double latitude;        // degrees, north positive
  double longitude;       // degrees, east positive
  std::string zone;       // IANA name
};

// The known places, in the order of places.csv (read from the text built
// into the program, once, on the first call).
const std::vector<KnownPlace>& knownPlaces();

// The known places within `withinKm` of an observer, nearest first: their
// indices in knownPlaces() and their distances (km, on a sphere of
// 6371 km), for coordinates given without a zone.
struct NearPlace {
  std::size_t index;
  double distanceKm;
};
std::vector<NearPlace> knownPlacesNear(const astro::Observer& observer, double withinKm);
// A known place's name as shown ("Lyon", "Saint-Denis (La Réunion)").
const std::string& knownPlaceName(std::size_t index);

// The Levenshtein distance between two texts, in bytes: the fewest bytes
// to insert, delete or replace to turn one into the other.
std::size_t editDistance(std::string_view a, std::string_view b);

// A name as names are compared: lower case, the Latin letters of U+00C0 to
// U+017F without their accents ("é" is "e", "ø" is "o", "œ" is "oe"), the
// combining accents of decomposed text (U+0300 to U+036F) dropped, so that
// "e" + U+0301 is "e" too, with no blank, hyphen or apostrophe (' or ’);
// other bytes as they are.
std::string foldedName(std::string_view name);

}  // namespace frontend
