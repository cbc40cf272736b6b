// Every text the program shows a person, in French: the dialogue's banner
// and prompts and the report's fixed words (whose bytes never change), the
// messages for refused input, the help, and the words of the picture.
// Nothing else in the program writes French; the parsers return reasons
// (refusal.h) and this turns them into sentences.
#pragma once

#include <array>
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

// Transits and occultations in the list of events: the lines under the
// event's own.
namespace passages {
// "                  C1 12:35, C2 12:37, C3 18:02, C4 18:04\n", each time
// on the list's clock (empty: the contact does not occur, left out), then
// the contacts where the Sun is below the horizon ("Soleil couché à C3 et
// C4"), if any.
std::string transitContacts(const std::array<std::string, 4>& times,
                            const std::array<bool, 4>& sunDown);
// "                  disparition 04:16 (angle 95°), Lune à 35° de hauteur",
// the same for the reappearance, then the Sun's altitude at the first
// (central: the planet's centre hidden; else the times of a graze, the
// planet partly hidden from C1 to C4); angles in whole degrees.
// "Heures du fuseau Europe/Paris" (empty zone: "Heures en temps universel
// (UT)"): the first line of a calendar event's contacts.
std::string clockLine(std::string_view zone);
std::string occultationContacts(bool central, std::string_view disappearance,
                                std::int64_t disappearanceAngle, std::string_view reappearance,
                                std::int64_t reappearanceAngle,
                                const std::array<std::string, 4>& times, std::int64_t moonFirst,
                                std::int64_t moonLast, std::int64_t sun);
}  // namespace passages

}  // namespace frontend::catalogue
