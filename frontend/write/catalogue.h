// Every text the program shows a person, in French: the dialogue's banner
// and prompts and the report's fixed words (whose bytes never change), the
// messages for refused input, the help, and the words of the picture.
// Nothing else in the program writes French; the parsers return reasons
// (refusal.h) and this turns them into sentences.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "astro/astro.h"
#include "frontend/read/refusal.h"

namespace frontend::catalogue {

// The dialogue.
inline constexpr std::string_view kBanner = "Version ";  // then the version and two line ends
inline constexpr std::string_view kDayPrompt = "Jour : ";
inline constexpr std::string_view kMonthPrompt = "Mois : ";
inline constexpr std::string_view kYearPrompt = "Annee : ";

// The report: its header line reads
//   DATE  (Jour Julien : JD)  (Temps siderale : 18h 41m 50s)
// then a rule, the title, a rule, one row per body and an empty line.
inline constexpr std::string_view kJulianDayOpen = "  (Jour Julien : ";
inline constexpr std::string_view kSiderealOpen = ")  (Temps siderale : ";
inline constexpr std::string_view kHeaderClose = ")";
inline constexpr std::string_view kRule =
    "------------------------------------------------------------------\n";
inline constexpr std::string_view kTitle =
    "Planetes   Ascension droite     Declinaison   Distance   Eclairement\n";
inline constexpr std::string_view kNotComputable = "incalculable pour cette date";
inline constexpr std::string_view kPositionNotComputable = "position incalculable pour cette date";

// A refusal as one line for standard error (without its line end):
//   Saisie invalide : "2000.5" : l'année doit être un nombre entier.
std::string messageOf(const Refusal& refusal);

// A wrong command line: "ephemerides : " and the refusal's message, then the
// usage, each line with its line end.
std::string usageError(const Refusal& refusal);

// The note on the dates outside the years where the accuracy is measured:
// how many, the first few of them, and what it means.
std::string outsideMeasuredSpan(std::int64_t count, const std::vector<std::string>& first);

// The note on a civil time that the clock of `zone` shows twice, when it
// goes back: the first is taken.
std::string ambiguousLocalTime(std::string_view given, std::string_view zone);

// A word as a message quotes it: between double quotes, printable ASCII and
// well-formed UTF-8 characters as they are ("Saint-Étiene"), every other
// byte (controls, broken sequences) written as \xNN, and cut after 40
// characters.
std::string quotedWord(std::string_view word);

// The output or the input failed (lines for standard error, without their
// line end), with the program's name as every other message.
inline constexpr std::string_view kCannotWrite =
    "ephemerides : erreur : impossible d'écrire sur la sortie standard.";
inline constexpr std::string_view kCannotRead =
    "ephemerides : erreur : impossible de lire l'entrée standard.";

// A place given by its coordinates, as it is shown: the numbers as they
// were written (without their sign, with a decimal comma) and the
// hemispheres, "45,76° N, 4,84° E", then ", 170 m" when a height is given.
std::string coordinatesName(std::string_view latitude, bool south, std::string_view longitude,
                            bool west, std::string_view heightMetres);

// --help: the usage line, then the help.
std::string_view help();

// What is seen from a place, after each report.
namespace place {
inline constexpr std::string_view kPlace = "Lieu : ";              // then its name
inline constexpr std::string_view kZone = " ; fuseau ";            // then its name and offset
inline constexpr std::string_view kZoneOnItsLine = "\nFuseau : ";  // the same, on a line
inline constexpr std::string_view kLocalTime = "Date et heure locales : ";
inline constexpr std::string_view kRule =
    "-------------------------------------------------------------------------------\n";
inline constexpr std::string_view kTitle =
    "Astre     Hauteur  Azimut   Magn.  Lever         Passage (haut.) Coucher\n";
inline constexpr std::string_view kBelowHorizon = "sous l'horizon";
inline constexpr std::string_view kAlwaysUp = "toujours levé";
inline constexpr std::string_view kNeverUp = "jamais levé";
inline constexpr std::string_view kNoRise = "pas de lever";
inline constexpr std::string_view kNoTransit = "pas de passage";
inline constexpr std::string_view kNoSet = "pas de coucher";
inline constexpr std::string_view kCivil = "Crépuscule civil (-6°)";
inline constexpr std::string_view kNautical = "Crépuscule nautique (-12°)";
inline constexpr std::string_view kAstronomical = "Crépuscule astronomique (-18°)";
inline constexpr std::string_view kDawn = "aube ";
inline constexpr std::string_view kDusk = "soir ";
inline constexpr std::string_view kNoDawn = "pas d'aube ce jour";
inline constexpr std::string_view kNoDusk = "pas de soir ce jour";
inline constexpr std::string_view kSunStaysAbove = "le Soleil ne descend pas si bas de la journée";
inline constexpr std::string_view kSunStaysBelow = "le Soleil ne remonte pas si haut de la journée";
inline constexpr std::string_view kMoon = "Lune : ";  // then its phase, age and lit fraction
}  // namespace place

// The year's events.
// Notes on a zone taken in place of another: the system's tz data lacks
// `asked` but has its other name; it lacks a place's zone under either
// name (`taken`: the zone used instead); TZ's value names no zone (UTC).
std::string zoneAliasTaken(std::string_view asked, std::string_view alias);
std::string zoneMissing(std::string_view place, std::string_view zone, std::string_view taken);
std::string tzUnusable(std::string_view value);

namespace events {
// The first line of the text list: the clock the times are on.
std::string heading(std::string_view zone);  // empty: UT
// "Vénus à sa plus grande élongation est (46,4°)": what happened, with its
// value already written ("46,4°", "0,98330 ua", "356 700 km").
std::string sentence(astro::EventKind kind, std::string_view body, std::string_view other,
                     bool bodyIsMoon, bool otherIsMoon, std::string_view value);
// "356 700 km"
std::string groupedKilometres(std::int64_t kilometres);
// Under an event of the Moon: then its phase by name and its age.
inline constexpr std::string_view kMoonPhase = "la Lune : ";
inline constexpr std::string_view kCalendarName = "Éphémérides : les événements du ciel";
inline constexpr std::string_view kNotComputable =
    "Événements incalculables : certaines positions de l'intervalle ne peuvent\n"
    "être calculées ; leurs événements manquent.";
inline constexpr std::string_view kOutsideMeasuredSpan =
    "Note : l'intervalle sort des années 1000 à 3000, où la précision des\n"
    "positions est mesurée ; les instants y sont moins sûrs.";
}  // namespace events

// The picture of the sky.
namespace chart {
inline constexpr std::string_view kTitle = "Le ciel du ";  // then "01/01/2000 à 12:00"
inline constexpr std::string_view kJulianDay = " (jour julien ";
inline constexpr std::string_view kSidereal = ", temps sidéral ";  // then "18h 41m 50s)"
inline constexpr std::string_view kSubtitle =
    "Ascension droite de 24h (à gauche, l'est, face au sud) à 0h (à droite) ; "
    "en trait plein l'équateur céleste, en tirets l'écliptique de la date.";
inline constexpr std::string_view kIlluminated = " % éclairée, ";
inline constexpr std::string_view kEastOfSun = "° à l'est du Soleil, ";
inline constexpr std::string_view kWestOfSun = "° à l'ouest du Soleil, ";
inline constexpr std::string_view kAllNight = "toute la nuit";
inline constexpr std::string_view kMagnitude = " ; mag. ";   // then "-4,1"
inline constexpr std::string_view kLitAt = ", éclairée à ";  // then "76 %"
inline constexpr std::string_view kEvening = "le soir";
inline constexpr std::string_view kMorning = "le matin";
inline constexpr std::string_view kInvisible = "invisible";
inline constexpr std::string_view kOutsideMeasuredSpan =
    "Attention : date hors des années 1000 à 3000, où la précision n'est pas mesurée ; loin de "
    "l'an 2000 les positions et l'écliptique ne décrivent plus le ciel.";
inline constexpr std::string_view kNotComputable =
    "Attention : des positions sont incalculables pour cette date et ne sont pas dessinées.";
}  // namespace chart

// The picture of the sky above a place.
namespace horizon {
// "Le ciel de Lyon", "Le ciel d'Orléans", "Le ciel du Havre", "Le ciel des
// Abymes"; for a place given by its coordinates, "Le ciel à 45,76° N,
// 4,84° E".
std::string skyOf(std::string_view place, bool byCoordinates);
inline constexpr std::string_view kOnDay = ", le ";  // then "21/06/2025"
inline constexpr std::string_view kAtTime = " à ";   // then "23:00"
// The cardinal points around the horizon.
inline constexpr std::string_view kNorth = "N";
inline constexpr std::string_view kEast = "E";
inline constexpr std::string_view kSouth = "S";
inline constexpr std::string_view kWest = "O";
// What the picture shows, a line each.
inline constexpr std::string_view kKey[] = {
    "Le zénith au centre, l'horizon au bord, le nord",
    "en haut et l'est à gauche : le ciel tel qu'on le voit",
    "couché sur le dos, la tête vers le nord.",
    "Cercles de hauteur tous les 30°, azimuts tous les 30°.",
};
inline constexpr std::string_view kEquator = "équateur céleste";
inline constexpr std::string_view kEcliptic = "écliptique de la date";
// The heads of the legend's columns.
inline constexpr std::string_view kBody = "Astre";
inline constexpr std::string_view kAltitude = "Hauteur";
inline constexpr std::string_view kAzimuth = "Azimut";
inline constexpr std::string_view kMagnitude = "Magn.";
inline constexpr std::string_view kRise = "Lever";
inline constexpr std::string_view kTransit = "Passage (hauteur)";
inline constexpr std::string_view kSet = "Coucher";
inline constexpr std::string_view kThen = " : ";  // between a twilight's name and its times
}  // namespace horizon

// The night's view (--nuit), and the Moon's phase by name.
namespace night {
// "nouvelle lune", "premier croissant", "premier quartier", "gibbeuse
// croissante", "pleine lune", "gibbeuse décroissante", "dernier quartier",
// "dernier croissant"; empty for a value that is no phase.
std::string_view phaseName(astro::MoonPhase phase);
// "nord", "nord-est", "est" ... "nord-ouest": the nearest of eight points
// to an azimuth (radians, from north through east).
std::string_view direction(double azimuth);
// "vers le sud", "vers l'est": toward that point.
std::string towards(double azimuth);
// When a body is seen, from the times of its window already written
// ("21:40"): "toute la nuit", "le soir jusqu'à 21:40", "dès la nuit tombée
// jusqu'à 04:58" (a window from dusk that ends after the middle of the
// night), "le matin dès 04:10", "dès 22:10 jusqu'à l'aube" (a window until
// dawn that begins before the middle), "de 22:10 à 01:02".
std::string window(astro::NightPart part, bool beforeMiddle, std::string_view start,
                   std::string_view end);
// Why a body is not seen: "trop près du Soleil", "sous l'horizon pendant la
// nuit"...; empty for Visible.
std::string_view why(astro::Sighting sighting);

inline constexpr std::string_view kHeading = "Nuit du ";  // then "16/01/2025 au 17/01/2025"
inline constexpr std::string_view kTo = " au ";
inline constexpr std::string_view kSunset = "coucher ";
inline constexpr std::string_view kSunrise = "lever ";
inline constexpr std::string_view kDark = "nuit (Soleil sous -6°) de ";  // then "17:59 à 08:01"
inline constexpr std::string_view kAt = " à ";
inline constexpr std::string_view kDarkAllDay = "nuit toute la journée : le Soleil reste sous -6°";
inline constexpr std::string_view kNoDark = "pas de nuit : le Soleil ne descend pas sous -6°";
inline constexpr std::string_view kAge = "âgée de ";  // then "17,1 jours" or "1,0 jour"
inline constexpr std::string_view kDays = " jours";
inline constexpr std::string_view kDay = " jour";                       // below two days
inline constexpr std::string_view kLit = "éclairée à ";                 // then "92 %"
inline constexpr std::string_view kMoonUp = "au-dessus de l'horizon ";  // then when
inline constexpr std::string_view kVisible = "visible ";                // then when
inline constexpr std::string_view kAnd = " et ";
inline constexpr std::string_view kInvisible = "invisible : ";  // then why
inline constexpr std::string_view kBest = "au mieux à ";        // then "00:58"
inline constexpr std::string_view kHigh = "° de hauteur ";      // after ", à 66", then towards
inline constexpr std::string_view kAtMost = "au plus à ";       // then "3°"
inline constexpr std::string_view kAway = "à ";                 // then "15° de lui"
inline constexpr std::string_view kFromIt = "° de lui";
inline constexpr std::string_view kMagnitude = "magnitude ";  // then "-1,4"
inline constexpr std::string_view kConstellation = "constellation : ";
// The rule of visibility, under the table.
inline constexpr std::string_view kRule =
    "Visible : à plus de 5° de hauteur, le Soleil sous -6°, assez brillant pour le\n"
    "ciel (magnitude 1 à -6°, 6 sous -18°) une fois l'absorption de l'air déduite\n"
    "(0,25 magnitude par masse d'air). La Lune : dès qu'elle est levée.\n";
}  // namespace night

// The constellations and the stars, in the place's block and the pictures.
namespace sky {
// The French name of a constellation, by its number in astro's list
// (astro::constellationAt): "Andromède" ... "Petit Renard"; empty for a
// number outside it.
std::string_view constellationName(std::size_t index);
// The French name of a bright star where French writes it otherwise than
// its proper name, by its Hipparcos number: "Bételgeuse" for 27989, "l'Épi"
// for Spica; empty for the others (Sirius, Rigel, Capella... keep theirs).
std::string_view starName(std::int32_t hipparcos);
// The place's block: each body's constellation, "Soleil (Capricorne)".
inline constexpr std::string_view kConstellations = "Constellations : ";
// The key of the sky above a place.
inline constexpr std::string_view kStarsKey = "étoiles jusqu'à la magnitude 4,5";
inline constexpr std::string_view kFiguresKey = "figures des constellations";
// The head of the column of the sky picture's legend.
inline constexpr std::string_view kConstellationHead = "Constellation";
}  // namespace sky

}  // namespace frontend::catalogue
