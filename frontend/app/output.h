// Text on its way to a file descriptor, through one buffer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace frontend {

// When text is written out:
//  - Buffered: when the buffer passes kBufferSize, when flush() is called
//    (the program is about to wait for input, or ends), and at every line
//    end when the descriptor is a terminal, so that a person sees each line
//    as soon as it is complete.
//  - Immediate: at once, each piece (standard error).
// A write that fails (a closed pipe, a full device) marks the output failed;
// from then on text is dropped and ok() says so.
class Output {
 public:
  enum class Mode { Buffered, Immediate };
  static constexpr std::size_t kBufferSize = 64 * 1024;

  Output(int fd, Mode mode);
  // Collects into `sink` instead, for tests: every flush appends what is
  // pending. Once the sink would pass `limit` bytes the output fails, as a
  // full device does.
  explicit Output(std::string& sink, std::size_t limit = static_cast<std::size_t>(-1));
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;
  ~Output();

  // Append to pending() and then call sent(), or call write().
  std::string& pending() { return pending_; }
  void sent();
  void write(std::string_view text);
  // Writes out everything pending. Returns ok().
  bool flush();
  bool ok() const { return ok_; }
  // Whether the descriptor is a terminal (never for a sink).
  bool terminal() const { return terminal_; }

 private:
  void writeOut(std::size_t length);

  int fd_ = -1;
  std::string* sink_ = nullptr;
  std::size_t limit_ = 0;
  bool terminal_ = false;
  bool immediate_ = false;
  bool ok_ = true;
  std::string pending_;
};

}  // namespace frontend
