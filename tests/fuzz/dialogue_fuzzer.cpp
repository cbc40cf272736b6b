// The dialogue in-process on arbitrary bytes as standard input.
//
// The dialogue reads the bytes from memory and writes both of its streams
// into strings, until the end of the input. The transcript must then hold
// up, whatever the bytes:
//  - standard output never shows "nan" or "inf", in any case of letters;
//  - standard output is the banner followed by attempts at a date, each
//    "Jour : " [ "Mois : " [ "Annee : " [ report ] ] ], and a line end at
//    the end of the input; every report has the 14-line shape (header,
//    rule, title, rule, nine rows in body order, empty line) with fields in
//    their columns;
//  - standard error holds one message of a known form per refused attempt,
//    one more for a date left incomplete at the end, one for each date that
//    cannot be computed, at most one note at the very end on the dates
//    outside the measured years, and nothing else;
//  - the status is 1 exactly when something was refused or could not be
//    computed;
//  - a second run on the same bytes writes the same transcript.
// A violation prints what went wrong and aborts, which libFuzzer reports
// as a crash with the input that caused it.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <string_view>

#include "astro/version.h"
#include "frontend/app/dialogue.h"

namespace {
struct Transcript {
  std::string output;
  std::string errors;
  int status = -1;
};

Transcript runOnce(const std::string& bytes) {
  Transcript t;
  {
    frontend::WordReader input(bytes);
    frontend::Output output(t.output);
    frontend::Output errors(t.errors);
    frontend::Console console{input, output, errors};
    t.status = frontend::runDialogue(console);
  }
  return t;
}

[[noreturn]] void fail(std::string_view what, const std::string& context) {
  std::fprintf(stderr, "dialogue check failed: %.*s\n--- near:\n%s\n---\n",
               static_cast<int>(what.size()), what.data(), context.substr(0, 2000).c_str());
  std::abort();
}

// The messages: a kind, the word between quotes (escaped, at most 40
// characters and "..."), and why.
bool isKnownMessage(const std::string& line) {
  static const std::regex message(
      "(Saisie invalide|Mois invalide|Date invalide|Date incomplète) : "
      "\"([^\"\\\\]|\\\\[\"\\\\]|\\\\x[0-9a-f]{2})*(\\.\\.\\.)?\" : "
      "(le jour doit être un nombre\\.|"
      "le jour doit être un nombre ; le séparateur décimal est le point \\(.*\\)\\.|"
      "le jour doit être un nombre ; une date entière se donne sur la ligne de commande "
      "\\(ephemerides .*\\)\\.|"
      "le jour est trop grand\\.|le mois doit être un nombre entier\\.|"
      "le mois dépasse les entiers sur 32 bits\\.|l'année doit être un nombre entier\\.|"
      "l'année dépasse les entiers sur 32 bits\\.|le mois doit valoir au moins 1\\.|"
      "année × 10000 \\+ mois × 100 dépasse les entiers sur 32 bits\\.|"
      "une réponse a au plus 4096 caractères\\.|"
      "l'entrée s'est terminée avant la fin de la date\\.)");
  return std::regex_match(line, message);
}

const std::string_view kNames[] = {"Soleil ", "Lune   ", "Mercure", "Venus  ", "Mars   ",
                                   "Jupiter", "Saturne", "Uranus ", "Neptune"};

const std::string kRule(66, '-');
const std::string kTitle = "Planetes   Ascension droite     Declinaison   Distance   Eclairement";
const std::string kNoPosition = "    position incalculable pour cette date";

// A number in the stream's default notation, and the two angle formats:
// hours 0 to 24, minutes and seconds 0 to 59; a sign column, degrees 0 to
// 180, minutes 0 to 59. Only the distance and the percentage are captured.
const std::string kNumber = "-?[0-9]+(?:\\.[0-9]+)?(?:e[-+][0-9]+)?";
const std::string kSixty = "(?: [0-9]|[1-5][0-9])";
const std::string kRightAscension = "(?: [0-9]|1[0-9]|2[0-4])h " + kSixty + "m " + kSixty + "s";
const std::string kDeclination = "[ -](?: [0-9]|[1-9][0-9]|1[0-7][0-9]|180) deg " + kSixty + "'";
const std::string kNotComputable = "incalculable pour cette date";

bool isHeader(const std::string& line) {
  static const std::regex header(
      kNumber + "/-?[0-9]+/-?[0-9]+  \\(Jour Julien : (?:" + kNumber + "|" + kNotComputable +
      ")\\)  \\(Temps siderale : (?:" + kRightAscension + "|" + kNotComputable + ")\\)");
  return std::regex_match(line, header);
}

// The part of a row after the name and its four blanks: right ascension,
// declination, the distance right-aligned in at least 6 columns, and on
// the Moon's row alone a percentage from 0 to 100.
bool isPositionRow(const std::string& fields, bool moon) {
  static const std::regex row(kRightAscension + "       " + kDeclination + "     ( *" + kNumber +
                              ")(?:      ([0-9]{1,3})%)?");
  std::smatch parts;
  if (!std::regex_match(fields, parts, row)) {
    return false;
  }
  const std::string distance = parts[1].str();
  if (distance.size() < 6 || (distance.size() > 6 && distance[0] == ' ')) {
    return false;
  }
  if (parts[2].matched != moon) {
    return false;
  }
  return !moon || std::stoi(parts[2].str()) <= 100;
}

std::string lineAt(const std::string& text, std::size_t& at) {
  const std::size_t end = text.find('\n', at);
  if (end == std::string::npos) {
    fail("report cut short", text.substr(at));
  }
  std::string line = text.substr(at, end - at);
  at = end + 1;
  return line;
}

void checkReport(const std::string& out, std::size_t& at) {
  const std::size_t start = at;
  const std::string header = lineAt(out, at);
  if (!isHeader(header)) {
    fail("header line", header);
  }
  if (lineAt(out, at) != kRule || lineAt(out, at) != kTitle || lineAt(out, at) != kRule) {
    fail("rules and title", out.substr(start));
  }
  for (std::size_t body = 0; body < std::size(kNames); ++body) {
    const std::string row = lineAt(out, at);
    const std::string name = " " + std::string(kNames[body]) + "    ";
    if (row.compare(0, name.size() - 4, name, 0, name.size() - 4) != 0) {
      fail("body name", row);
    }
    const std::string rest = row.substr(name.size() - 4);
    if (rest != kNoPosition &&
        (rest.compare(0, 4, "    ") != 0 || !isPositionRow(rest.substr(4), body == 1))) {
      fail("row fields", row);
    }
  }
  if (!lineAt(out, at).empty()) {
    fail("empty line after the table", out.substr(start));
  }
}

bool startsWithAt(const std::string& text, std::size_t at, std::string_view prefix) {
  return text.compare(at, prefix.size(), prefix) == 0;
}

// Walks standard output attempt by attempt; returns the number of refused
// attempts.
int checkOutput(const std::string& out) {
  std::string lower = out;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const char* word : {"nan", "inf"}) {
    const std::size_t found = lower.find(word);
    if (found != std::string::npos) {
      fail(word, out.substr(found < 300 ? 0 : found - 300, 600));
    }
  }

  static const std::string kBanner = "Version " + std::string(astro::kVersion) + "\n\n";
  if (!startsWithAt(out, 0, kBanner)) {
    fail("banner", out);
  }
  std::size_t at = kBanner.size();
  int refused = 0;
  for (;;) {
    if (!startsWithAt(out, at, "Jour : ")) {
      fail("prompt for the day", out.substr(at));
    }
    at += 7;
    int answered = 0;
    if (startsWithAt(out, at, "Mois : ")) {
      at += 7;
      ++answered;
      if (startsWithAt(out, at, "Annee : ")) {
        at += 8;
        ++answered;
      }
    }
    if (out.size() - at == 1 && out[at] == '\n') {
      return refused;  // end of input
    }
    if (startsWithAt(out, at, "Jour : ")) {
      ++refused;
      continue;
    }
    if (answered < 2) {
      fail("after a prompt", out.substr(at));
    }
    checkReport(out, at);
  }
}

// What standard error says, line by line.
struct Messages {
  int refusals = 0;  // refused answers and dates, a date left incomplete
  int failures = 0;  // dates whose positions could not be computed
};

// A date that cannot be computed, and the one note on the dates outside the
// measured years.
bool isFailure(const std::string& line) {
  static const std::regex failure(
      "(Date incalculable : \"[^\"]*\" : la date est si loin .*|"
      "Position incalculable : \"[^\"]*\" : [^:]+ : la théorie ne donne plus de position .*)");
  return std::regex_match(line, failure);
}
bool isNote(const std::string& line) {
  return line.starts_with("Note : ") && line.find(" hors des années 1000 à 3000 (") != line.npos;
}

Messages checkErrors(const std::string& errors, int refused) {
  Messages m;
  bool incomplete = false;
  bool noted = false;
  std::size_t at = 0;
  while (at < errors.size()) {
    const std::string line = lineAt(errors, at);
    if (noted) {
      fail("a message after the note", errors);
    }
    if (isNote(line)) {
      noted = true;
    } else if (isFailure(line)) {
      ++m.failures;
    } else if (isKnownMessage(line)) {
      incomplete = line.starts_with("Date incomplète");
      ++m.refusals;
    } else {
      fail("unknown message", line);
    }
  }
  if (m.refusals != refused + (incomplete ? 1 : 0)) {
    fail("one message per refused date", errors);
  }
  return m;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  const Transcript first = runOnce(bytes);
  const Messages messages = checkErrors(first.errors, checkOutput(first.output));
  if (first.status != (messages.refusals + messages.failures > 0 ? 1 : 0)) {
    fail("exit status", first.errors);
  }

  const Transcript second = runOnce(bytes);
  if (second.output != first.output || second.errors != first.errors ||
      second.status != first.status) {
    fail("a second run differs", second.output);
  }
  return 0;
}
