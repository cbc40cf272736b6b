// Progress: the line on standard error, and when it is written.
#include "frontend/app/progress.h"

#include <utility>

#include "frontend/write/catalogue.h"
#include "frontend/write/text.h"

namespace frontend {
namespace {

constexpr double kFirstLook = 1.0;      // seconds before anything is shown
constexpr double kLongWork = 2.0;       // seconds the whole must take to be shown
constexpr double kBetweenLines = 0.25;  // seconds between two lines

}  // namespace

double Progress::steadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

Progress::Progress(Output& errors, bool shown, std::int64_t total, Unit unit, Clock clock)
    : errors_(errors),
      shown_(shown && total > 0),
      total_(total),
      unit_(unit),
      clock_(std::move(clock)),
      start_(shown_ ? clock_() : 0) {}

Progress::~Progress() {
  clear();
}

void Progress::advance(std::int64_t done) {
  if (!shown_ || done <= 0) {
    return;
  }
  const double now = clock_();
  const double elapsed = now - start_;
  if (elapsed < kFirstLook || now - lastShown_ < kBetweenLines) {
    return;
  }
  const double rate = static_cast<double>(done) / elapsed;
  const double left = static_cast<double>(total_ - done) / rate;
  if (width_ == 0 && elapsed + left <= kLongWork) {
    return;
  }
  lastShown_ = now;
  const std::string line = catalogue::progressLine(done, total_, unit_ == Unit::Years, rate, left);
  const std::size_t width = displayWidth(line);
  std::string text = "\r" + line;
  if (width < width_) {
    text.append(width_ - width, ' ');
  }
  width_ = width;
  errors_.write(text);
}

void Progress::clear() {
  if (width_ == 0) {
    return;
  }
  std::string text = "\r";
  text.append(width_, ' ');
  text += '\r';
  width_ = 0;
  errors_.write(text);
}

}  // namespace frontend
