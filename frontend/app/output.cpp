// Output: buffered writes to a file descriptor.
//
// Every write(2) is repeated until all of its bytes are taken: after a
// partial write, after an interruption by a signal (EINTR), and after
// EAGAIN on a descriptor left non-blocking, where poll(2) waits until it
// can take more. Any other error ends the output for good.
#include "frontend/app/output.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace frontend {

Output::Output(int fd, Mode mode)
    : fd_(fd), terminal_(::isatty(fd) == 1), immediate_(mode == Mode::Immediate) {
  pending_.reserve(kBufferSize + 4096);
}

Output::Output(std::string& sink, std::size_t limit) : sink_(&sink), limit_(limit) {}

Output::~Output() {
  flush();
}

void Output::sent() {
  if (immediate_ || pending_.size() >= kBufferSize) {
    flush();
  } else if (terminal_) {
    const std::size_t lineEnd = pending_.rfind('\n');
    if (lineEnd != std::string::npos) {
      writeOut(lineEnd + 1);
    }
  }
}

void Output::write(std::string_view text) {
  pending_ += text;
  sent();
}

bool Output::flush() {
  writeOut(pending_.size());
  return ok_;
}

void Output::writeOut(std::size_t length) {
  if (!ok_) {
    pending_.clear();
    return;
  }
  if (sink_ != nullptr) {
    if (length > limit_ - std::min(limit_, sink_->size())) {
      ok_ = false;
      pending_.clear();
      return;
    }
    sink_->append(pending_, 0, length);
    pending_.erase(0, length);
    return;
  }
  std::size_t done = 0;
  while (done < length) {
    const ssize_t n = ::write(fd_, pending_.data() + done, length - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd ready{fd_, POLLOUT, 0};
      ::poll(&ready, 1, -1);
    } else {
      ok_ = false;
      pending_.clear();
      return;
    }
  }
  pending_.erase(0, length);
}

}  // namespace frontend
