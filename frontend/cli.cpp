// run: the modes of the program.
//
//   ephemerides                      the dialogue (banner, prompts, reports)
//   ephemerides DATE...              a report for each date word
//   ephemerides --from A --to B      a report for each date of the range
//   ephemerides --format F < dates   the dialogue's answers, without prompts
//
// The options are read with CLI11; the messages are French, as the rest of
// the program is.
#include "frontend/cli.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

#include "astro/astro.h"
#include "frontend/dates.h"
#include "frontend/formats.h"
#include "frontend/report.h"
#include "frontend/sky_chart.h"

namespace frontend {
namespace {

constexpr std::string_view kUsage = "Utilisation : ephemerides [OPTIONS] [DATE...]\n";

constexpr std::string_view kHelp = R"(
Position du Soleil, de la Lune et des planetes de Mercure a Neptune : ascension
droite, declinaison et distance a la Terre, et eclairement de la Lune.

Sans argument, le dialogue demande le jour (avec sa fraction si l'on veut :
15.75 est le 15 a 18h), le mois et l'annee, ecrit le rapport de cette date et
demande la suivante, jusqu'a la fin de l'entree (Ctrl-D au clavier).

Dates :
  DATE...                  un rapport par date, sans banniere ni invite. Une
                           date s'ecrit JOUR/MOIS/ANNEE comme dans l'en-tete du
                           rapport (1.5/1/2000 : le 1er janvier 2000 a 12h ;
                           1/1/-500), ou AAAA-MM-JJ, avec une heure si l'on veut
                           (2000-01-01T12:00, 2000-01-01T12:00:00). Une date qui
                           commence par un tiret se donne apres -- .
  --from DATE --to DATE    chaque date de la premiere a la derniere incluse,
  --step PAS               espacees de PAS : un entier suivi de d, h, min ou s
                           (1d par defaut ; 6h, 30min, 10s). Au plus 10^8 dates.
  sans DATE ni --from      avec --format, les dates sont lues sur l'entree
                           standard comme dans le dialogue (jour mois annee,
                           separes par des blancs), sans banniere ni invite.

Options :
  --format FORMAT          text : le rapport du dialogue (par defaut) ;
                           csv : une ligne d'en-tete, puis une ligne par date
                           et par astre ;
                           json : un objet JSON par date et par ligne ;
                           svg : une image du ciel d'une seule date (le
                           Soleil, la Lune et sa phase, les planetes, leur
                           elongation et quand les voir).
                           En csv et json les valeurs ne sont pas coupees :
                           heures, degres, unites astronomiques et kilometres,
                           chaque nombre sous sa forme la plus courte.
  --ut                     les dates sont en temps universel (UT) : voir
                           plus bas. Seule, cette option garde le dialogue.
  --delta-t SECONDES       les dates sont en UT, et TT - UT vaut SECONDES
                           (une valeur observee, ou 0) ; implique --ut.
  -h, --help               cette aide
  --version                la version

Echelle de temps : sans --ut, une date est prise comme temps terrestre (TT)
pour les positions et, le meme nombre, comme temps universel (UT) pour le
temps sideral, comme le dialogue l'a toujours fait. Une heure d'horloge est
de l'UT, et TT - UT (delta T) vaut environ 64 s en 2000 et 1570 s vers l'an
1000 : la Lune parcourt 0.55" par seconde, soit 35" et 14' d'ecart. Avec --ut
le temps sideral vient de la date telle quelle et les positions de
TT = UT + delta T, delta T venant du modele d'Espenak et Meeus (2006) ou de
--delta-t. Le jour julien et le temps sideral de l'en-tete restent ceux de la
date donnee ; en csv et json, time_scale (tt ou ut) et delta_t_s disent ce qui
a ete applique.

Le calendrier est julien avant le 15 octobre 1582, gregorien ensuite. Les
positions sont geocentriques et geometriques, rapportees a l'equateur et a
l'equinoxe moyens de la date.

Statut de sortie :
  0  chaque date a ete calculee et ecrite
  1  une reponse ou une date a ete refusee (les autres sont ecrites), ou
     l'entree ou la sortie standard a fait defaut
  2  la ligne de commande est invalide (rien n'est ecrit sur la sortie)

Exemples :
  ephemerides
  ephemerides 1.5/1/2000 2024-04-08T18:00
  ephemerides --from 1/1/2000 --to 31/12/2000 --step 1d --format csv
  printf '1.5 1 2000\n15 6 1850\n' | ephemerides --format json
  ephemerides --ut 2024-04-08T18:21
  ephemerides --format svg 1.5/1/2000 > ciel.svg
)";

enum class Format { Text, Csv, Json, Svg };

struct Options {
  std::vector<std::string> dates;
  std::optional<std::string> from;
  std::optional<std::string> to;
  std::optional<std::string> step;
  std::optional<std::string> format;
  std::optional<std::string> deltaT;
  bool universal = false;
  bool help = false;
  bool version = false;
};

// A wrong command line: the message and the usage on standard error.
int usageError(Console& console, std::string_view message) {
  complain(console, std::string("ephemerides : ") + std::string(message));
  console.errors.write(std::string(kUsage) + "Essayez \"ephemerides --help\".\n");
  return 2;
}

// A CLI11 complaint in French.
std::string frenchOf(const CLI::ParseError& error) {
  const std::string what = error.what();
  const std::string option = what.substr(0, what.find(':'));
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
    if (what.find("missing") != std::string::npos) {
      return "l'option " + option + " attend une valeur.";
    }
    return "l'option " + option + " se donne une seule fois.";
  }
  return "ligne de commande invalide (" + what + ").";
}

std::optional<Format> formatNamed(std::string_view name) {
  if (name == "text") {
    return Format::Text;
  }
  if (name == "csv") {
    return Format::Csv;
  }
  if (name == "json") {
    return Format::Json;
  }
  if (name == "svg") {
    return Format::Svg;
  }
  return std::nullopt;
}

// Writes each date's report in the chosen format.
class Reporter {
 public:
  Reporter(Console& console, Format format, const TimeScale& scale)
      : console_(console), format_(format), scale_(scale) {
    if (format_ == Format::Csv) {
      appendCsvHeader(console_.output.pending());
      console_.output.sent();
    }
  }

  void report(const DateEntry& entry) {
    const astro::Instant instant = scale_.compute(entry.date);
    std::string& out = console_.output.pending();
    switch (format_) {
      case Format::Text:
        appendReport(out, entry.date, instant);
        break;
      case Format::Csv:
        appendCsv(out, entry, instant, scale_);
        break;
      case Format::Json:
        appendJson(out, entry, instant, scale_);
        break;
      case Format::Svg:
        appendSkyChart(out, entry, instant);
        break;
    }
    console_.output.sent();
  }

 private:
  Console& console_;
  Format format_;
  TimeScale scale_;
};

// --delta-t's value: a finite number of seconds, written as a day is.
std::optional<double> secondsNamed(std::string_view text) {
  const Parsed<double> value = parseDay(text);
  if (const double* seconds = std::get_if<double>(&value)) {
    return *seconds;
  }
  return std::nullopt;
}

}  // namespace

int run(int argc, const char* const* argv, Console& console) {
  if (argc <= 1) {
    return runDialogue(console);
  }

  Options options;
  CLI::App app{"ephemerides"};
  app.set_help_flag();
  app.allow_extras();
  app.add_option("dates", options.dates);
  app.add_option("--from", options.from);
  app.add_option("--to", options.to);
  app.add_option("--step", options.step);
  app.add_option("--format", options.format);
  app.add_flag("--ut", options.universal);
  app.add_option("--delta-t", options.deltaT);
  app.add_flag("-h,--help", options.help);
  app.add_flag("--version", options.version);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return usageError(console, frenchOf(error));
  }
  for (const std::string& unknown : app.remaining()) {
    if (unknown != "--") {
      return usageError(console, "option inconnue : " + quotedWord(unknown) + ".");
    }
  }

  if (options.help) {
    console.output.write(std::string(kUsage) + std::string(kHelp));
    return finish(console, Reading::AllAccepted);
  }
  if (options.version) {
    console.output.write("ephemerides " + std::string(astro::kVersion) + "\n");
    return finish(console, Reading::AllAccepted);
  }

  TimeScale scale;
  scale.universal = options.universal || options.deltaT.has_value();
  if (options.deltaT) {
    scale.deltaT = secondsNamed(*options.deltaT);
    if (!scale.deltaT) {
      return usageError(
          console, "--delta-t attend un nombre de secondes : " + quotedWord(*options.deltaT) + ".");
    }
  }

  Format format = Format::Text;
  if (options.format) {
    const std::optional<Format> named = formatNamed(*options.format);
    if (!named) {
      return usageError(console, "format inconnu : " + quotedWord(*options.format) +
                                     " (text, csv, json ou svg).");
    }
    format = *named;
  }
  const bool range = options.from || options.to;
  if (range && !(options.from && options.to)) {
    return usageError(console, "une plage se donne avec --from et --to.");
  }
  if (options.step && !range) {
    return usageError(console, "--step va avec --from et --to.");
  }
  if (range && !options.dates.empty()) {
    return usageError(console, "des dates ou une plage, pas les deux.");
  }
  if (format == Format::Svg && (range || options.dates.size() != 1)) {
    return usageError(console,
                      "--format svg dessine le ciel d'une seule date, donnee en argument.");
  }

  if (range) {
    const Parsed<DateEntry> from = parseDateWord(*options.from);
    const Parsed<DateEntry> to = parseDateWord(*options.to);
    const Parsed<std::int64_t> step = parseStepMilliseconds(options.step.value_or("1d"));
    for (const Refusal* r : {std::get_if<Refusal>(&from), std::get_if<Refusal>(&to)}) {
      if (r != nullptr) {
        return usageError(console, r->message());
      }
    }
    if (const Refusal* r = std::get_if<Refusal>(&step)) {
      return usageError(console, r->message());
    }
    const Parsed<DateRange> dates = DateRange::make(
        std::get<DateEntry>(from).date, std::get<DateEntry>(to).date, std::get<std::int64_t>(step));
    if (const Refusal* r = std::get_if<Refusal>(&dates)) {
      return usageError(console, r->message());
    }
    const DateRange& all = std::get<DateRange>(dates);
    Reporter reporter(console, format, scale);
    DateEntry entry;
    for (std::int64_t k = 0; k < all.size() && console.output.ok(); ++k) {
      all.at(k, entry);
      reporter.report(entry);
    }
    return finish(console, console.output.ok() ? Reading::AllAccepted : Reading::OutputFailed);
  }

  if (!options.dates.empty()) {
    Reporter reporter(console, format, scale);
    bool refused = false;
    for (const std::string& word : options.dates) {
      const Parsed<DateEntry> entry = parseDateWord(word);
      if (const Refusal* r = std::get_if<Refusal>(&entry)) {
        complain(console, r->message());
        refused = true;
      } else {
        reporter.report(std::get<DateEntry>(entry));
      }
      if (!console.output.ok()) {
        return finish(console, Reading::OutputFailed);
      }
    }
    return finish(console, refused ? Reading::SomeRefused : Reading::AllAccepted);
  }

  // Nothing but the time scale: the dialogue in that scale.
  if (!options.format) {
    return runDialogue(console, scale);
  }
  Reporter reporter(console, format, scale);
  return finish(console,
                readDates(console, false, [&](const DateEntry& entry) { reporter.report(entry); }));
}

}  // namespace frontend
