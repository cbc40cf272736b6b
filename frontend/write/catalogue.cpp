// The catalogue: reasons into French sentences, and the help.
#include "frontend/write/catalogue.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <utility>

#include "frontend/write/numbers.h"
#include "frontend/write/text.h"

namespace frontend::catalogue {
namespace {

constexpr std::string_view kUsage = "Utilisation : ephemerides [OPTIONS] [DATE...]\n";
constexpr std::string_view kTryHelp = "Essayez « ephemerides --help ».\n";

constexpr std::string_view kDateForms =
    "une date s'écrit JOUR/MOIS/ANNÉE (1.5/1/2000) ou AAAA-MM-JJ, avec une heure si l'on veut "
    "(2000-01-01T12:00 ou 2000-01-01T12:00:00).";

// What is refused, at the start of the message.
// The length of the printable character that `text` begins with: 1 for
// printable ASCII, 2 to 4 for a well-formed UTF-8 sequence of a character
// from U+00A0 on; 0 for a control character or a byte that begins no such
// sequence (written \xNN).
std::size_t utf8Length(std::string_view text) {
  const auto byte = [&text](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char c = byte(0);
  if (c >= 0x20 && c < 0x7f) {
    return 1;
  }
  const std::size_t length = c < 0x80 ? 0 : utf8SequenceLength(c);
  if (length == 0 || text.size() < length) {
    return 0;
  }
  std::uint32_t code = c & (0x7f >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(k) >> 6) != 2) {
      return 0;
    }
    code = (code << 6) | (byte(k) & 0x3f);
  }
  constexpr std::uint32_t kSmallest[] = {0, 0, 0xa0, 0x800, 0x10000};
  const bool surrogate = code >= 0xd800 && code <= 0xdfff;
  return code >= kSmallest[length] && code <= 0x10ffff && !surrogate ? length : 0;
}

std::string_view kindOf(const Refusal& r) {
  switch (r.subject) {
    case Subject::Answer:
      return r.reason == Reason::MonthBelowOne ? "Mois invalide" : "Saisie invalide";
    case Subject::Date:
      switch (r.reason) {
        case Reason::DateIncomplete:
          return "Date incomplète";
        case Reason::DateNotComputable:
          return "Date incalculable";
        case Reason::BodiesNotComputable:
          return "Position incalculable";
        default:
          return "Date invalide";
      }
    case Subject::DateWord:
      return "Date invalide";
    case Subject::Step:
      return "Pas invalide";
    case Subject::Range:
      return "Plage invalide";
    case Subject::CommandLine:
      break;
    case Subject::Place:
      return "Lieu invalide";
    case Subject::DefaultPlace:
      return "Lieu invalide dans EPHEMERIDES_LIEU";
    case Subject::Zone:
      return "Fuseau invalide";
  }
  return "";
}

// Names one a line, as « A », « B » ou « C ».
std::string namesOf(std::string_view lines) {
  std::string text;
  while (!lines.empty()) {
    const std::size_t end = lines.find('\n');
    const std::string_view name = lines.substr(0, end);
    lines = end == std::string_view::npos ? std::string_view{} : lines.substr(end + 1);
    if (!text.empty()) {
      text += lines.empty() ? " ou " : ", ";
    }
    text += "« ";
    text += name;
    text += " »";
  }
  return text;
}

// Why an answer, a date, a date word, a step or a range was refused, as a
// sentence with its full stop; nothing for the other reasons.
std::string whyOfDate(const Refusal& r) {
  switch (r.reason) {
    case Reason::DayNotANumber:
      return "le jour doit être un nombre.";
    case Reason::DayIsAWholeDate:
      return "le jour doit être un nombre ; une date entière se donne sur la ligne de commande "
             "(ephemerides " +
             r.detail + ").";
    case Reason::DayDecimalComma:
      return "le jour doit être un nombre ; le séparateur décimal est le point (" + r.detail + ").";
    case Reason::DayTooLarge:
      return "le jour est trop grand.";
    case Reason::MonthNotWhole:
      return "le mois doit être un nombre entier.";
    case Reason::MonthBeyond32Bits:
      return "le mois dépasse les entiers sur 32 bits.";
    case Reason::MonthBelowOne:
      return "le mois doit valoir au moins 1.";
    case Reason::YearNotWhole:
      return "l'année doit être un nombre entier.";
    case Reason::YearBeyond32Bits:
      return "l'année dépasse les entiers sur 32 bits.";
    case Reason::AnswerTooLong:
      return "une réponse a au plus 4096 caractères.";
    case Reason::CalendarKeyBeyond32Bits:
      return "année × 10000 + mois × 100 dépasse les entiers sur 32 bits.";
    case Reason::DateIncomplete:
      return "l'entrée s'est terminée avant la fin de la date.";
    case Reason::DateNotComputable:
      return "la date est si loin que le temps n'y est plus compté à la seconde près : "
             "ni le temps sidéral ni les positions n'y ont de sens.";
    case Reason::BodiesNotComputable:
      return r.detail +
             " : la théorie ne donne plus de position si loin de notre époque (voir le rapport).";
    case Reason::DateWordForm:
      return std::string(kDateForms);
    case Reason::IsoTimeOutOfRange:
      return "l'heure va de 00:00:00 à 23:59:59.";
    case Reason::IsoMonthOutOfRange:
      return "le mois va de 01 à 12.";
    case Reason::IsoDayNotInMonth:
      return "ce jour n'existe pas dans ce mois.";
    case Reason::IsoOffsetOutOfRange:
      return "le décalage horaire va de -18:00 à +18:00.";
    case Reason::IsoDayInCalendarGap:
      return "ce jour n'existe pas : le jeudi 4 octobre 1582 (julien) est suivi du vendredi "
             "15 octobre 1582 (grégorien).";
    case Reason::StepForm:
      return "le pas est un nombre entier positif suivi de d, h, min ou s (1d, 6h, 30min, 10s).";
    case Reason::RangeLimitTooFar:
      return "le jour d'une borne doit rester en dessous d'un milliard.";
    case Reason::RangeBackwards:
      return "--to vient avant --from (" + r.detail + ").";
    case Reason::EventsIntervalEmpty:
      return "--to est le même instant que --from (" + r.detail +
             ") : l'intervalle est vide ; une date sans heure compte pour toute la journée.";
    case Reason::RangeTooLong:
      return "elle compte " + r.detail + " dates ; au plus 100000000.";
    default:
      return {};
  }
}

// Why an option, a format, --delta-t or the events were refused; nothing
// for the other reasons.
std::string whyOfCommandLine(const Refusal& r) {
  const std::string quoted = quotedWord(r.word);
  switch (r.reason) {
    case Reason::OptionUnknown:
      return "option inconnue : " + quoted + ".";
    case Reason::OptionNeedsValue:
      return "l'option " + r.word + " attend une valeur.";
    case Reason::OptionRepeated:
      return "l'option " + r.word + " se donne une seule fois.";
    case Reason::FlagWithValue:
      return "cette option ne prend pas de valeur : " + quoted + ".";
    case Reason::CommandLineInvalid:
      return "ligne de commande invalide.";
    case Reason::FormatUnknown:
      return "format inconnu : " + quoted + " (text, csv, json, svg ou ics).";
    case Reason::EventTypeUnknown:
      return "type d'événement inconnu : " + quoted +
             " (phases, saisons, perihelie, perigee, conjonctions, oppositions, elongations, "
             "rapprochements, eclipses, ou un nom comme full_moon).";
    case Reason::EventsYearNotWhole:
      return "--evenements attend une année entière : " + quoted + ".";
    case Reason::EventsTooLong:
      return "une plage d'événements compte au plus 10 000 ans.";
    case Reason::EventsWithDates:
      return "--evenements va avec une année ou --from et --to, pas avec des dates.";
    case Reason::EventsNeedAnInterval:
      return "--evenements attend une année (--evenements 2025) ou --from et --to.";
    case Reason::FormatNotForEvents:
      return "les événements s'écrivent en text, csv, json ou ics.";
    case Reason::FormatOnlyForEvents:
      return "le format " + r.word + " ne sert qu'aux événements (--evenements).";
    case Reason::IcsYearsOutOfRange:
      return "le format ics ne tient que les années 1 à 9999 du calendrier grégorien, en UTC ; "
             "les autres s'écrivent en text, csv ou json.";
    case Reason::EventsWithStep:
      return "--step ne sert pas aux événements.";
    case Reason::TypesWithoutEvents:
      return "--types va avec --evenements.";
    case Reason::NightNeedsPlace:
      return "--nuit va avec un lieu (--lieu ou la variable EPHEMERIDES_LIEU).";
    case Reason::NightWithRange:
      return "--nuit montre une nuit, sans --from, --to, --step ni --evenements.";
    case Reason::NightOfOneDate:
      return "--nuit prend une date au plus : le soir de ce jour, ou une heure.";
    case Reason::NightFormat:
      return "--nuit s'écrit en text, csv, json ou svg.";
    case Reason::RangeNeedsBothEnds:
      return "une plage se donne avec --from et --to.";
    case Reason::StepWithoutRange:
      return "--step va avec --from et --to.";
    case Reason::DatesAndRange:
      return "des dates ou une plage, pas les deux.";
    case Reason::PictureOfOneDate:
      return "--format svg dessine le ciel d'une seule date, donnée en argument.";
    case Reason::EclipseAlone:
      return "--eclipse dessine une éclipse, sans autres dates ni --evenements.";
    case Reason::EclipseOnlySvg:
      return "--eclipse dessine une image : --format svg seulement.";
    case Reason::DeltaTNotANumber:
      return "--delta-t attend un nombre de secondes : " + quoted + ".";
    case Reason::DeltaTOutOfRange:
      return "--delta-t vaut au plus " + r.detail +
             " secondes en valeur absolue, ce que le modèle de delta T donne aux années les plus "
             "lointaines que le programme accepte : " +
             quoted + ".";
    default:
      return {};
  }
}

// Why a place, a zone or a local time was refused; nothing for the other
// reasons.
std::string whyOfPlace(const Refusal& r) {
  switch (r.reason) {
    case Reason::PlaceForm:
      return "un lieu se donne par son nom (Lyon, « Saint-Denis (La Réunion) ») ou par sa "
             "latitude et sa longitude en degrés décimaux, le nord et l'est positifs, le point "
             "comme séparateur décimal, et son altitude en mètres si l'on veut (45.76,4.84 ou "
             "45.76,4.84,170).";
    case Reason::PlaceLatitudeOutOfRange:
      return "la latitude va de -90 à 90 degrés (le nord positif).";
    case Reason::PlaceLongitudeOutOfRange:
      return "la longitude va de -180 à 180 degrés (l'est positif).";
    case Reason::PlaceHeightOutOfRange:
      return "l'altitude va de -500 à 10000 mètres.";
    case Reason::PlaceUnknown:
      return (r.detail.empty() ? "lieu inconnu ; donnez sa latitude et sa longitude"
                               : "lieu inconnu ; vouliez-vous dire " + namesOf(r.detail) +
                                     " ? Sinon, donnez sa latitude et sa longitude") +
             " en degrés décimaux (45.76,4.84).";
    case Reason::PlaceAmbiguous:
      return "plusieurs lieux portent ce nom : " + namesOf(r.detail) + " ; précisez lequel.";
    case Reason::ZoneUnknown:
      return (r.detail.empty() ? std::string("fuseau horaire inconnu ; donnez")
                               : "fuseau horaire inconnu ; vouliez-vous dire " + namesOf(r.detail) +
                                     " ? Sinon, donnez") +
             " un nom de la base IANA (Europe/Paris, America/New_York), un décalage (+01:00, "
             "-03:30, +5:45) ou UTC.";
    case Reason::ZoneFileInvalid:
      return "le fichier de ce fuseau, " + r.detail +
             ", est illisible : ce n'est pas un fichier TZif valide.";
    case Reason::LocalTimeInGap:
      return "cette heure n'existe pas dans le fuseau " + r.detail +
             " : l'horloge la saute en avançant (changement d'heure).";
    default:
      return {};
  }
}

// Why, as a sentence with its full stop.
std::string whyOf(const Refusal& r) {
  for (const auto why : {whyOfDate, whyOfCommandLine, whyOfPlace}) {
    if (std::string sentence = why(r); !sentence.empty()) {
      return sentence;
    }
  }
  return "";
}

constexpr std::string_view kHelp = R"(
Position du Soleil, de la Lune et des planètes de Mercure à Neptune : ascension
droite, déclinaison et distance à la Terre, et éclairement de la Lune.

Sans argument, le dialogue demande le jour (avec sa fraction si l'on veut :
15.75 est le 15 à 18 h), le mois et l'année, écrit le rapport de cette date et
demande la suivante, jusqu'à la fin de l'entrée (Ctrl-D au clavier).

Dates :
  DATE...                  un rapport par date, sans bannière ni invite. Une
                           date s'écrit JOUR/MOIS/ANNÉE comme dans l'en-tête du
                           rapport (1.5/1/2000 : le 1er janvier 2000 à 12 h ;
                           1/1/-500), ou AAAA-MM-JJ, avec une heure si l'on veut
                           (2000-01-01T12:00, 2000-01-01T12:00:00, -0500-03-01).
  --from DATE --to DATE    chaque date de la première à la dernière incluse,
  --step PAS               espacées de PAS : un entier suivi de d (ou j), h, min
                           ou s (1d par défaut ; 6h, 30min, 10s). Au plus 10^8
                           dates.
  sans DATE ni --from      avec --format, les dates sont lues sur l'entrée
                           standard comme dans le dialogue (jour mois année,
                           séparés par des blancs), sans bannière ni invite.

Options :
  --format FORMAT          text : le rapport du dialogue (par défaut) ;
                           csv : une ligne d'en-tête, puis une ligne par date
                           et par astre ;
                           json : un objet JSON par date et par ligne ;
                           svg : une image du ciel d'une seule date (les
                           étoiles et les figures des constellations, le
                           Soleil, la Lune et sa phase, les planètes, leur
                           élongation et quand les voir : le soir à l'est
                           du Soleil le long de l'écliptique, le matin à
                           l'ouest, toute la nuit à plus de 150°). Avec
                           --lieu, l'image montre le ciel au-dessus du lieu :
                           le zénith au centre, l'horizon au bord, le nord
                           en haut et l'est à gauche, les astres levés à leur
                           hauteur et leur azimut, et pour chacun son lever,
                           son passage et son coucher.
                           En csv et json les valeurs ne sont pas coupées :
                           heures, degrés, unités astronomiques et kilomètres,
                           chaque nombre sous sa forme la plus courte ; la
                           colonne date donne la date telle que donnée (pour
                           une plage, AAAA-MM-JJ, avec l'heure si le pas le
                           demande, sur l'horloge de la plage) ; la
                           colonne datetime donne l'instant en AAAA-MM-JJTHH:
                           MM:SS.sss, dans le calendrier du programme ; les
                           colonnes magnitude, phase_angle_deg,
                           apparent_diameter_arcsec, elongation_deg et
                           elongation_side disent l'aspect de chaque astre.
  --ut                     les dates sont en temps universel (UT) : voir
                           plus bas. Seule, cette option garde le dialogue.
  --delta-t SECONDES       les dates sont en UT, et TT - UT vaut SECONDES
                           (une valeur observée, ou 0) ; implique --ut.
                           Au plus 150085416 s en valeur absolue.
  --precis                 le rapport, ses colonnes csv et json et l'image
                           du ciel par la théorie précise (VSOP87 et
                           ELP/MPP02, à une seconde d'arc des éphémérides
                           du JPL de 1800 à 2200) au lieu de la classique :
                           les mêmes grandeurs, géométriques, à l'équateur
                           et à l'équinoxe moyens de la date ; csv et json
                           y ajoutent le lieu apparent (apparent_ra_h,
                           apparent_dec_deg). Hors de 1800 à 2200 elle est
                           calculée, mais sa précision n'est pas mesurée.
                           Sans --precis, ce qu'on voit d'un lieu et les
                           événements sont déjà calculés par elle de 1800 à
                           2200, par la théorie classique hors de ces années.
  --lieu LIEU              ce qu'on voit d'un lieu : après chaque rapport, la
                           hauteur et l'azimut de chaque astre (réfraction
                           comprise), sa magnitude (un tiret où la loi de
                           l'astre ne va pas : la Lune près de la nouvelle
                           lune ; en csv et json, magnitude_status), son
                           lever, son passage au méridien (et sa hauteur) et
                           son coucher dans la journée locale, et les
                           crépuscules civil, nautique et astronomique, en
                           heure locale (un soir avant l'aube, « (la
                           veille) », finit après minuit le crépuscule de la
                           veille) ; en csv et json, les colonnes
                           correspondantes. LIEU est LAT,LON ou
                           LAT,LON,ALT (degrés décimaux, nord et est positifs,
                           hauteur en mètres : 45.76,4.84,170) ou le nom d'un
                           lieu connu (préfectures, villes de France de plus
                           de 50 000 habitants, grandes villes du monde :
                           Lyon, « saint-etienne », Tromsø). Par défaut, la
                           variable d'environnement EPHEMERIDES_LIEU, en ligne
                           de commande seulement (le dialogue sans option
                           garde son rapport).
  --fuseau FUSEAU          le fuseau horaire : un nom IANA (Europe/Paris), un
                           décalage fixe (+01:00) ou UTC. Par défaut celui du
                           lieu (pour des coordonnées, celui du lieu connu le
                           plus proche s'il est à moins de 100 km, avec une
                           note), sinon la variable TZ, sinon UTC.
                           Avec --lieu ou --fuseau, les dates données sont
                           des heures locales de ce fuseau (une date ISO peut
                           aussi porter Z ou +HH:MM) ; « maintenant » est
                           l'instant présent. Elles sont converties en temps
                           universel, delta T appliqué comme avec --ut, et
                           l'en-tête du rapport montre cette date en UT. Une
                           heure que l'horloge saute au passage à l'heure
                           d'été est refusée ; une heure qu'elle montre deux
                           fois au retour à l'heure d'hiver est prise à sa
                           première occurrence, avant le changement, avec une
                           note. Une plage par jours entiers suit l'horloge
                           du fuseau : --from 2025-01-01 --to 2025-12-31
                           donne l'almanach du lieu, un jour après l'autre.
                           Le bloc du lieu dit aussi la phase de la Lune par
                           son nom, son âge depuis la nouvelle lune et la
                           part éclairée de son disque.
  --nuit [DATE]            avec --lieu, la nuit du lieu, de la fin du
                           crépuscule civil du soir (Soleil à -6°) à son
                           début le matin : coucher et lever du Soleil,
                           crépuscules, phase de la Lune (nom, âge, part
                           éclairée) et quand elle est levée, puis pour
                           chaque planète si on la voit à l'œil nu, quand
                           (« toute la nuit », « le soir jusqu'à 21:06 »,
                           « le matin dès 05:05 »), à quelle heure au mieux,
                           à quelle hauteur et vers où, sa magnitude ; sinon
                           pourquoi (« trop près du Soleil »). Une planète
                           est visible à plus de 5° de hauteur, le Soleil
                           sous -6°, si elle brille assez pour le ciel
                           (magnitude 1 à -6°, 6 sous -18°) une fois
                           l'absorption de l'air déduite. Une date sans
                           heure donne le soir de ce jour ; une heure, ou
                           « maintenant », ou rien, la nuit en cours ou la
                           prochaine. En csv et json, une ligne par astre ;
                           en svg, le ciel du lieu à l'heure donnée, sinon
                           au meilleur moment de la nuit (quand le plus de
                           planètes sont visibles ensemble).
  --evenements [ANNÉE]     les événements de l'année (--evenements 2025), ou
                           de --from à --to (une date sans heure compte pour
                           tout son jour) : phases de la Lune, équinoxes et
                           solstices, périhélie et aphélie de la Terre,
                           périgée et apogée de la Lune, conjonctions,
                           oppositions, plus grandes élongations de Mercure
                           et de Vénus, rapprochements de la Lune et des
                           planètes à moins de 3°, éclipses de Soleil et de
                           Lune (avec --lieu, ce qu'on en voit : contacts,
                           magnitude, hauteur), passages de Mercure et de
                           Vénus devant le Soleil (contacts C1 à C4) et, avec
                           --lieu, occultations des planètes par la Lune vues
                           du lieu (disparition, réapparition, angles de
                           position sur le bord de la Lune). Heures en UT, ou
                           locales avec --lieu ou --fuseau. En text, csv,
                           json ou ics (un calendrier iCalendar à importer).
                           Au plus 10 000 ans.
  --eclipse DATE           l'image de l'éclipse de Soleil ou de Lune la plus
                           proche de la date, à un jour et demi près, en SVG :
                           le Soleil et la Lune aux contacts vus du lieu
                           (sans --lieu, du point du maximum), ou l'ombre de
                           la Terre et le chemin de la Lune.
  --types TYPES            les sortes d'événements, séparées par des virgules :
                           phases, saisons, perihelie, perigee, conjonctions,
                           oppositions, elongations, rapprochements, eclipses
                           (passages et occultations compris) ou une seule
                           sorte : pleine_lune, aphelie, apogee,
                           conjonction_inferieure, eclipse_de_soleil,
                           eclipse_de_lune, passage, occultation... ou
                           full_moon. Toutes par défaut.
  -h, --help               cette aide
  --version                la version

Échelle de temps : sans --ut, une date est prise comme temps terrestre (TT)
pour les positions et, le même nombre, comme temps universel (UT) pour le
temps sidéral, comme le dialogue l'a toujours fait. Une heure d'horloge est
de l'UT, et TT - UT (delta T) vaut environ 64 s en 2000 et 1570 s vers l'an
1000 : la Lune parcourt 0,55" par seconde, soit 35" et 14' d'écart. Avec --ut
le temps sidéral vient de la date telle quelle et les positions de
TT = UT + delta T, delta T venant de --delta-t, sinon des valeurs observées
de 1972 à 2026 (32,184 s + TAI - UTC, secondes intercalaires comprises, à
moins d'une seconde de l'UT1) et du modèle d'Espenak et Meeus (2006) avant et
après, raccordé sans saut. Les heures des événements et de ce qu'on voit d'un
lieu en viennent aussi. Le jour julien et le temps sidéral de l'en-tête
restent ceux de la date donnée ; en csv et json, time_scale (tt ou ut) et
delta_t_s disent ce qui a été appliqué.

Le calendrier est julien avant le 15 octobre 1582, grégorien ensuite ; les
jours du 5 au 14 octobre 1582 n'existent pas. Les
positions sont géocentriques et géométriques, rapportées à l'équateur et à
l'équinoxe moyens de la date ; avec --precis, csv et json donnent aussi le
lieu apparent, à l'équateur et à l'équinoxe vrais de la date.

Statut de sortie :
  0  chaque date a été calculée et écrite
  1  une réponse ou une date a été refusée (les autres sont écrites), une
     position n'a pu être calculée (« position incalculable », dit aussi sur
     la sortie d'erreur), ou l'entrée ou la sortie standard a fait défaut ;
     au clavier, une réponse refusée puis redonnée n'est pas un échec
  2  la ligne de commande est invalide (rien n'est écrit sur la sortie)

Les dates hors des années 1000 à 3000 (1800 à 2200 avec --precis) sont
calculées, mais leur précision n'est pas mesurée : une note sur la sortie
d'erreur les nomme à la fin.

Sur un terminal, les messages de la sortie d'erreur sont coupés à 80 colonnes
(ailleurs, un message par ligne) ; quand la sortie standard va dans un fichier,
un long travail (plus de deux secondes) y montre son avancement : fait, total,
rythme et temps restant, effacé à la fin.

Exemples :
  ephemerides
  ephemerides 1.5/1/2000 2024-04-08T18:00
  ephemerides --from 1/1/2000 --to 31/12/2000 --step 1d --format csv
  printf '1.5 1 2000\n15 6 1850\n' | ephemerides --format json
  ephemerides --ut 2024-04-08T18:21
  ephemerides --precis --format csv 2025-03-20T09:01Z
  ephemerides --lieu Paris --nuit 2025-01-16
  ephemerides --format svg 1.5/1/2000 > ciel.svg
  ephemerides --lieu Paris --format svg 2025-01-16T22:00 > orion.svg
  ephemerides --lieu Lyon maintenant
  ephemerides --lieu Lyon --from 2025-01-01 --to 2025-12-31 --format csv
  ephemerides --evenements 2025 --lieu Paris
  ephemerides --evenements 2025 --types phases,saisons --format ics > ciel.ics
  ephemerides --evenements 2026 --types eclipses --lieu Paris
  ephemerides --eclipse 2026-08-12 --lieu Madrid > eclipse.svg
)";

}  // namespace

std::string messageOf(const Refusal& refusal) {
  if (refusal.subject == Subject::CommandLine) {
    return whyOf(refusal);
  }
  return std::string(kindOf(refusal)) + " : " + quotedWord(refusal.word) + " : " + whyOf(refusal);
}

std::string usageError(const Refusal& refusal) {
  return "ephemerides : " + messageOf(refusal) + "\n" + std::string(kUsage) + std::string(kTryHelp);
}

std::string outsideMeasuredSpan(std::int64_t count, const std::vector<std::string>& first) {
  std::string text = "Note : ";
  text += count == 1 ? "une date" : std::to_string(count) + " dates";
  text += " hors des années 1000 à 3000 (";
  for (std::size_t i = 0; i < first.size(); ++i) {
    text += i == 0 ? "" : ", ";
    text += quotedWord(first[i]);
  }
  if (count > static_cast<std::int64_t>(first.size())) {
    text += ", ...";
  }
  text +=
      ") : les positions y sont calculées, mais leur précision n'y est pas mesurée ; elle se "
      "dégrade à mesure qu'on s'éloigne de l'an 2000, et au-delà de quelques milliers d'années "
      "les chiffres ne décrivent plus le ciel.";
  return text;
}

std::string zoneAliasTaken(std::string_view asked, std::string_view alias) {
  return "Note : les données de fuseaux du système n'ont pas " + std::string(asked) +
         " ; c'est son autre nom, " + std::string(alias) + ", qui est pris.";
}

std::string zoneMissing(std::string_view place, std::string_view zone, std::string_view taken) {
  return "Note : les données de fuseaux du système n'ont pas " + std::string(zone) +
         ", le fuseau de " + std::string(place) + " ; les heures sont données en " +
         std::string(taken) + ".";
}

std::string tzUnusable(std::string_view value) {
  return "Note : la variable TZ (" + quotedWord(value) +
         ") ne désigne aucun fuseau connu ; les heures sont données en UTC.";
}

std::string ambiguousLocalTime(std::string_view given, std::string_view zone) {
  return "Note : " + quotedWord(given) + " : l'horloge de " + std::string(zone) +
         " montre deux fois cette heure, quand elle recule ; c'est la première qui est prise, "
         "avant le changement d'heure.";
}

namespace events {

std::string heading(std::string_view zone) {
  std::string text = "Événements, ";
  text += zone.empty() ? std::string("heures en temps universel (UT)")
                       : "à l'heure du fuseau " + std::string(zone);
  text += " :\n";
  return text;
}

std::string groupedKilometres(std::int64_t kilometres) {
  const std::string digits = std::to_string(kilometres);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) {
      grouped += ' ';
    }
    grouped += digits[i];
  }
  grouped += " km";
  return grouped;
}

std::string sentence(astro::EventKind kind, std::string_view body, std::string_view other,
                     bool bodyIsMoon, bool otherIsMoon, std::string_view value) {
  const std::string named(body);
  const std::string bracket = value.empty() ? "" : " (" + std::string(value) + ")";
  const auto of = [](std::string_view name, bool moon) {
    // "de Mars", "d'Uranus": the elision before a vowel.
    const bool vowel =
        !name.empty() && (std::string_view("AEIOUaeiou").find(name[0]) != std::string_view::npos ||
                          name.starts_with("É"));
    return moon ? "de la " + std::string(name) : (vowel ? "d'" : "de ") + std::string(name);
  };
  switch (kind) {
    case astro::EventKind::NewMoon:
      return "Nouvelle Lune";
    case astro::EventKind::FirstQuarter:
      return "Premier quartier de Lune";
    case astro::EventKind::FullMoon:
      return "Pleine Lune";
    case astro::EventKind::LastQuarter:
      return "Dernier quartier de Lune";
    case astro::EventKind::MarchEquinox:
      return "Équinoxe de mars";
    case astro::EventKind::JuneSolstice:
      return "Solstice de juin";
    case astro::EventKind::SeptemberEquinox:
      return "Équinoxe de septembre";
    case astro::EventKind::DecemberSolstice:
      return "Solstice de décembre";
    case astro::EventKind::Perihelion:
      return "La Terre au périhélie" + bracket;
    case astro::EventKind::Aphelion:
      return "La Terre à l'aphélie" + bracket;
    case astro::EventKind::Perigee:
      return "La Lune au périgée" + bracket;
    case astro::EventKind::Apogee:
      return "La Lune à l'apogée" + bracket;
    case astro::EventKind::InferiorConjunction:
      return named + " en conjonction inférieure (à " + std::string(value) + " du Soleil)";
    case astro::EventKind::SuperiorConjunction:
      return named + " en conjonction supérieure (à " + std::string(value) + " du Soleil)";
    case astro::EventKind::Conjunction:
      return named + " en conjonction avec le Soleil (à " + std::string(value) + ")";
    case astro::EventKind::Opposition:
      return named + " à l'opposition";
    case astro::EventKind::GreatestElongationEast:
      return named + " à sa plus grande élongation est" + bracket;
    case astro::EventKind::GreatestElongationWest:
      return named + " à sa plus grande élongation ouest" + bracket;
    case astro::EventKind::CloseApproach:
      return "Rapprochement " + of(body, bodyIsMoon) + " et " + of(other, otherIsMoon) + bracket;
    case astro::EventKind::SolarEclipse:
      return "Éclipse de Soleil" + bracket;
    case astro::EventKind::LunarEclipse:
      return "Éclipse de Lune" + bracket;
    case astro::EventKind::Transit:
      return "Passage " + of(body, false) + " devant le Soleil" +
             (value.empty() ? "" : " (à " + std::string(value) + " du centre)");
    case astro::EventKind::Occultation:
      return "Occultation " + of(other, false) + " par la Lune";
  }
  return named;
}

}  // namespace events

std::string_view help() {
  static const std::string text = std::string(kUsage) + std::string(kHelp);
  return text;
}

std::string quotedWord(std::string_view word) {
  constexpr std::size_t kShown = 40;  // characters
  std::string out = "\"";
  std::size_t shown = 0;
  std::size_t i = 0;
  for (; i < word.size() && shown < kShown; ++shown) {
    const auto c = static_cast<unsigned char>(word[i]);
    const std::size_t length = utf8Length(word.substr(i));
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (length > 0) {
      out += word.substr(i, length);
      i += length;
      continue;
    } else {
      out += "\\x";
      appendHexByte(out, c);
    }
    ++i;
  }
  if (i < word.size()) {
    out += "...";
  }
  out += '"';
  return out;
}

std::string coordinatesName(std::string_view latitude, bool south, std::string_view longitude,
                            bool west, std::string_view heightMetres) {
  std::string name;
  appendWithComma(name, latitude);
  name += south ? "° S, " : "° N, ";
  appendWithComma(name, longitude);
  name += west ? "° O" : "° E";
  if (!heightMetres.empty()) {
    name += ", ";
    appendWithComma(name, heightMetres);
    name += " m";
  }
  return name;
}

std::string horizon::skyOf(std::string_view place, bool byCoordinates) {
  if (byCoordinates) {
    return "Le ciel à " + std::string(place);
  }
  // The article of a name contracts with "de"; a vowel elides it.
  for (const auto& [article, contracted] : {std::pair{"Le ", "du "}, std::pair{"Les ", "des "}}) {
    if (place.starts_with(article)) {
      return "Le ciel " + std::string(contracted) +
             std::string(place.substr(std::string_view(article).size()));
    }
  }
  static constexpr std::string_view kVowels[] = {"A", "E", "I", "O", "U", "À", "Â",
                                                 "É", "È", "Ê", "Î", "Ô", "Œ"};
  for (const std::string_view vowel : kVowels) {
    if (place.starts_with(vowel)) {
      return "Le ciel d'" + std::string(place);
    }
  }
  return "Le ciel de " + std::string(place);
}

// ---- Notes on zones, progress, the calendar's categories ----

std::string zoneOfNearestPlace(std::string_view zone, std::string_view place, double km) {
  const long rounded = std::lround(km);
  return wrapped("Note : les heures sont celles du fuseau " + std::string(zone) + ", celui de " +
                 std::string(place) + ", le lieu connu le plus proche (à " +
                 (rounded < 1 ? std::string("moins d'1") : std::to_string(rounded)) +
                 " km) ; --fuseau en choisit un autre.");
}

std::string noPlaceNear(int withinKm, std::string_view taken) {
  return wrapped("Note : aucun lieu connu à moins de " + std::to_string(withinKm) +
                 " km de ces coordonnées : les heures sont données " +
                 (taken.empty() ? std::string("en UTC")
                                : "dans le fuseau de la variable TZ, " + std::string(taken)) +
                 " ; choisissez le fuseau du lieu avec --fuseau (--fuseau Europe/Paris, "
                 "--fuseau +01:00).");
}

namespace {
// "1 000 000": digits in groups of three.
std::string grouped(std::int64_t value) {
  const std::string digits = std::to_string(value);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && digits[i - 1] != '-' && (digits.size() - i) % 3 == 0) {
      out += ' ';
    }
    out += digits[i];
  }
  return out;
}
}  // namespace

std::string progressLine(std::int64_t done, std::int64_t total, bool years, double rate,
                         double left) {
  std::string text = grouped(done) + " / " + grouped(total) + (years ? " ans (" : " dates (") +
                     std::to_string(total > 0 ? done * 100 / total : 0) + " %), " +
                     grouped(std::llround(rate)) + " par s, reste ";
  const std::int64_t seconds = std::llround(left);
  if (seconds >= 3600) {
    text += std::to_string(seconds / 3600) + " h " + std::to_string(seconds / 60 % 60) + " min";
  } else if (seconds >= 60) {
    text += std::to_string(seconds / 60) + " min " + std::to_string(seconds % 60) + " s";
  } else {
    text += std::to_string(seconds) + " s";
  }
  return text;
}

namespace events {

std::string_view category(astro::EventKind kind) {
  switch (kind) {
    case astro::EventKind::NewMoon:
    case astro::EventKind::FirstQuarter:
    case astro::EventKind::FullMoon:
    case astro::EventKind::LastQuarter:
      return "Phases de la Lune";
    case astro::EventKind::MarchEquinox:
    case astro::EventKind::JuneSolstice:
    case astro::EventKind::SeptemberEquinox:
    case astro::EventKind::DecemberSolstice:
      return "Saisons";
    case astro::EventKind::Perihelion:
    case astro::EventKind::Aphelion:
      return "Périhélie et aphélie";
    case astro::EventKind::Perigee:
    case astro::EventKind::Apogee:
      return "Périgée et apogée";
    case astro::EventKind::InferiorConjunction:
    case astro::EventKind::SuperiorConjunction:
    case astro::EventKind::Conjunction:
      return "Conjonctions";
    case astro::EventKind::Opposition:
      return "Oppositions";
    case astro::EventKind::GreatestElongationEast:
    case astro::EventKind::GreatestElongationWest:
      return "Élongations";
    case astro::EventKind::CloseApproach:
      return "Rapprochements";
    case astro::EventKind::SolarEclipse:
    case astro::EventKind::LunarEclipse:
      return "Éclipses";
    case astro::EventKind::Transit:
      return "Passages devant le Soleil";
    case astro::EventKind::Occultation:
      return "Occultations";
  }
  return "Événements";
}

}  // namespace events

namespace {

// "une date" or "3 dates", then " hors des années 1800 à 2200 (" and the
// first few dates quoted.
std::string datesOutsidePreciseSpan(std::int64_t count, const std::vector<std::string>& first) {
  std::string text = count == 1 ? "une date" : std::to_string(count) + " dates";
  text += " hors des années 1800 à 2200 (";
  for (std::size_t i = 0; i < first.size(); ++i) {
    text += i == 0 ? "" : ", ";
    text += quotedWord(first[i]);
  }
  if (count > static_cast<std::int64_t>(first.size())) {
    text += ", ...";
  }
  return text + ")";
}

}  // namespace

std::string precise::outsideSpan(std::int64_t count, const std::vector<std::string>& first) {
  return wrapped(
      "Note : " + datesOutsidePreciseSpan(count, first) +
      " : la théorie précise y est calculée, mais sa précision n'y est pas mesurée ; ses séries, "
      "tronquées pour ces quatre siècles, s'écartent du ciel à mesure qu'on s'en éloigne.");
}

std::string precise::placeOnClassic(std::int64_t count, const std::vector<std::string>& first) {
  return wrapped("Note : " + datesOutsidePreciseSpan(count, first) +
                 " : ce qui est vu du lieu y est calculé par la théorie classique, "
                 "moins précise ; --precis y garde la théorie précise.");
}

std::string_view sky::constellationName(std::size_t index) {
  static constexpr std::pair<std::string_view, std::string_view> kNames[] = {
      {"And", "Andromède"},
      {"Ant", "Machine pneumatique"},
      {"Aps", "Oiseau de paradis"},
      {"Aql", "Aigle"},
      {"Aqr", "Verseau"},
      {"Ara", "Autel"},
      {"Ari", "Bélier"},
      {"Aur", "Cocher"},
      {"Boo", "Bouvier"},
      {"Cae", "Burin"},
      {"Cam", "Girafe"},
      {"Cap", "Capricorne"},
      {"Car", "Carène"},
      {"Cas", "Cassiopée"},
      {"Cen", "Centaure"},
      {"Cep", "Céphée"},
      {"Cet", "Baleine"},
      {"Cha", "Caméléon"},
      {"Cir", "Compas"},
      {"CMa", "Grand Chien"},
      {"CMi", "Petit Chien"},
      {"Cnc", "Cancer"},
      {"Col", "Colombe"},
      {"Com", "Chevelure de Bérénice"},
      {"CrA", "Couronne australe"},
      {"CrB", "Couronne boréale"},
      {"Crt", "Coupe"},
      {"Cru", "Croix du Sud"},
      {"Crv", "Corbeau"},
      {"CVn", "Chiens de chasse"},
      {"Cyg", "Cygne"},
      {"Del", "Dauphin"},
      {"Dor", "Dorade"},
      {"Dra", "Dragon"},
      {"Equ", "Petit Cheval"},
      {"Eri", "Éridan"},
      {"For", "Fourneau"},
      {"Gem", "Gémeaux"},
      {"Gru", "Grue"},
      {"Her", "Hercule"},
      {"Hor", "Horloge"},
      {"Hya", "Hydre"},
      {"Hyi", "Hydre mâle"},
      {"Ind", "Indien"},
      {"Lac", "Lézard"},
      {"Leo", "Lion"},
      {"Lep", "Lièvre"},
      {"Lib", "Balance"},
      {"LMi", "Petit Lion"},
      {"Lup", "Loup"},
      {"Lyn", "Lynx"},
      {"Lyr", "Lyre"},
      {"Men", "Table"},
      {"Mic", "Microscope"},
      {"Mon", "Licorne"},
      {"Mus", "Mouche"},
      {"Nor", "Règle"},
      {"Oct", "Octant"},
      {"Oph", "Ophiuchus"},
      {"Ori", "Orion"},
      {"Pav", "Paon"},
      {"Peg", "Pégase"},
      {"Per", "Persée"},
      {"Phe", "Phénix"},
      {"Pic", "Peintre"},
      {"PsA", "Poisson austral"},
      {"Psc", "Poissons"},
      {"Pup", "Poupe"},
      {"Pyx", "Boussole"},
      {"Ret", "Réticule"},
      {"Scl", "Sculpteur"},
      {"Sco", "Scorpion"},
      {"Sct", "Écu de Sobieski"},
      {"Ser", "Serpent"},
      {"Sex", "Sextant"},
      {"Sge", "Flèche"},
      {"Sgr", "Sagittaire"},
      {"Tau", "Taureau"},
      {"Tel", "Télescope"},
      {"TrA", "Triangle austral"},
      {"Tri", "Triangle"},
      {"Tuc", "Toucan"},
      {"UMa", "Grande Ourse"},
      {"UMi", "Petite Ourse"},
      {"Vel", "Voiles"},
      {"Vir", "Vierge"},
      {"Vol", "Poisson volant"},
      {"Vul", "Petit Renard"},
  };
  static_assert(std::size(kNames) == astro::kConstellationCount);
  const std::string_view abbreviation = astro::constellationAt(index).abbreviation;
  for (const auto& [iau, name] : kNames) {
    if (iau == abbreviation && !abbreviation.empty()) {
      return name;
    }
  }
  return {};
}

std::string_view sky::starName(std::int32_t hipparcos) {
  static constexpr std::pair<std::int32_t, std::string_view> kNames[] = {
      {27989, "Bételgeuse"}, {21421, "Aldébaran"},   {91262, "Véga"},    {97649, "Altaïr"},
      {80763, "Antarès"},    {65474, "l'Épi"},       {49669, "Régulus"}, {11767, "Polaire"},
      {54061, "Dubhé"},      {53910, "Mérak"},       {67301, "Alkaïd"},  {677, "Alphératz"},
      {3179, "Schédar"},     {86032, "Ras Alhague"}, {27366, "Saïph"},
  };
  for (const auto& [number, name] : kNames) {
    if (number == hipparcos) {
      return name;
    }
  }
  return {};
}

namespace night {

std::string_view phaseName(astro::MoonPhase phase) {
  constexpr std::array<std::string_view, astro::kMoonPhaseCount> kNames = {
      "nouvelle lune", "premier croissant",     "premier quartier", "gibbeuse croissante",
      "pleine lune",   "gibbeuse décroissante", "dernier quartier", "dernier croissant"};
  const auto index = static_cast<std::size_t>(phase);
  return index < kNames.size() ? kNames[index] : std::string_view{};
}

std::string_view direction(double azimuth) {
  constexpr std::array<std::string_view, 8> kPoints = {"nord", "nord-est",  "est",   "sud-est",
                                                       "sud",  "sud-ouest", "ouest", "nord-ouest"};
  const double eighths = std::round(azimuth / (2.0 * std::numbers::pi) * 8.0);
  if (!std::isfinite(eighths)) {
    return {};
  }
  const auto k = static_cast<std::int64_t>(eighths);
  return kPoints[static_cast<std::size_t>(((k % 8) + 8) % 8)];
}

std::string towards(double azimuth) {
  const std::string_view point = direction(azimuth);
  if (point.empty()) {
    return {};
  }
  return std::string(point == "est" || point == "ouest" ? "vers l'" : "vers le ") +
         std::string(point);
}

std::string window(astro::NightPart part, bool beforeMiddle, std::string_view start,
                   std::string_view end) {
  const std::string from(start);
  const std::string to(end);
  switch (part) {
    case astro::NightPart::AllNight:
      return "toute la nuit";
    case astro::NightPart::FromDusk:
      return beforeMiddle ? "le soir jusqu'à " + to : "dès la nuit tombée jusqu'à " + to;
    case astro::NightPart::UntilDawn:
      return beforeMiddle ? "dès " + from + " jusqu'à l'aube" : "le matin dès " + from;
    case astro::NightPart::Within:
      break;
  }
  return "de " + from + " à " + to;
}

std::string_view why(astro::Sighting sighting) {
  switch (sighting) {
    case astro::Sighting::Visible:
      return {};
    case astro::Sighting::TooFaint:
      return "trop faible pour l'œil nu";
    case astro::Sighting::TooCloseToSun:
      return "trop près du Soleil";
    case astro::Sighting::BelowHorizon:
      return "sous l'horizon pendant la nuit";
    case astro::Sighting::TooLow:
      return "trop bas sur l'horizon";
    case astro::Sighting::NoDarkness:
      return "pas de nuit, le Soleil ne descend pas sous -6°";
    case astro::Sighting::NotComputable:
      break;
  }
  return kPositionNotComputable;
}

}  // namespace night

namespace eclipses {

std::string solarTitle(astro::SolarEclipseKind kind) {
  switch (kind) {
    case astro::SolarEclipseKind::Total:
      return "Éclipse totale de Soleil";
    case astro::SolarEclipseKind::Annular:
      return "Éclipse annulaire de Soleil";
    case astro::SolarEclipseKind::Hybrid:
      return "Éclipse hybride (annulaire-totale) de Soleil";
    case astro::SolarEclipseKind::Partial:
      break;
  }
  return "Éclipse partielle de Soleil";
}

std::string lunarTitle(astro::LunarEclipseKind kind) {
  switch (kind) {
    case astro::LunarEclipseKind::Total:
      return "Éclipse totale de Lune";
    case astro::LunarEclipseKind::Partial:
      return "Éclipse partielle de Lune";
    case astro::LunarEclipseKind::Penumbral:
      break;
  }
  return "Éclipse pénombrale de Lune";
}

std::string_view solarSeen(astro::SolarEclipseKind kind) {
  switch (kind) {
    case astro::SolarEclipseKind::Total:
      return "totale";
    case astro::SolarEclipseKind::Annular:
      return "annulaire";
    case astro::SolarEclipseKind::Hybrid:
      return "hybride";
    case astro::SolarEclipseKind::Partial:
      break;
  }
  return "partielle";
}

}  // namespace eclipses

namespace passages {
namespace {
// Under the date and time of the event's line.
constexpr std::string_view kIndent = "                  ";

// "C3 et C4", "C1, C2 et C4": names joined as French joins them.
std::string joined(const std::vector<std::string>& names) {
  std::string out;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) out += i + 1 == names.size() ? " et " : ", ";
    out += names[i];
  }
  return out;
}

std::string degrees(std::int64_t value) {
  return std::to_string(value) + "°";
}
}  // namespace

std::string clockLine(std::string_view zone) {
  return zone.empty() ? std::string("Heures en temps universel (UT)")
                      : "Heures du fuseau " + std::string(zone);
}

std::string transitContacts(const std::array<std::string, 4>& times,
                            const std::array<bool, 4>& sunDown) {
  std::vector<std::string> shown;
  std::vector<std::string> down;
  for (std::size_t i = 0; i < 4; ++i) {
    if (times[i].empty()) continue;
    const std::string name = "C" + std::to_string(i + 1);
    shown.push_back(name + " " + times[i]);
    if (sunDown[i]) down.push_back(name);
  }
  std::string out = std::string(kIndent) + "contacts " + joined(shown) + "\n";
  if (!down.empty()) {
    out += std::string(kIndent) + "Soleil sous l'horizon à " + joined(down) + "\n";
  }
  return out;
}

std::string occultationContacts(bool central, std::string_view disappearance,
                                std::int64_t disappearanceAngle, std::string_view reappearance,
                                std::int64_t reappearanceAngle,
                                const std::array<std::string, 4>& times, std::int64_t moonFirst,
                                std::int64_t moonLast, std::int64_t sun) {
  const std::string indent(kIndent);
  const std::string moon = ", Lune à ";
  if (!central) {
    return indent + "rasante, en partie cachée de " + times[0] + " à " + times[3] + moon +
           degrees(moonFirst) + " de hauteur\n" + indent + "Soleil à " + degrees(sun) +
           " de hauteur\n";
  }
  return indent + "disparition " + std::string(disappearance) + " (angle " +
         std::to_string(disappearanceAngle % 360) + "°)" + moon + degrees(moonFirst) +
         " de hauteur\n" + indent + "réapparition " + std::string(reappearance) + " (angle " +
         std::to_string(reappearanceAngle % 360) + "°)" + moon + degrees(moonLast) +
         " de hauteur\n" + indent + "Soleil à " + degrees(sun) + " de hauteur\n";
}
}  // namespace passages

}  // namespace frontend::catalogue
