// WordReader: words from a descriptor or from memory.
#include "frontend/read/input.h"

#include <unistd.h>

#include <cerrno>
#include <utility>

namespace frontend {
namespace {
constexpr std::size_t kReadSize = 64 * 1024;

bool isBlank(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
}  // namespace

WordReader::WordReader(int fd, std::function<bool()> beforeWaiting)
    : fd_(fd), beforeWaiting_(std::move(beforeWaiting)) {}

WordReader::WordReader(std::string_view bytes) : buffer_(bytes) {
  ended_ = true;  // everything is already here
}

bool WordReader::refill() {
  if (fd_ < 0 || ended_) {
    return false;
  }
  if (beforeWaiting_ && !beforeWaiting_()) {
    ended_ = true;
    return false;
  }
  buffer_.erase(0, at_);
  at_ = 0;
  const std::size_t kept = buffer_.size();
  buffer_.resize(kept + kReadSize);
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data() + kept, kReadSize);
    if (n > 0) {
      buffer_.resize(kept + static_cast<std::size_t>(n));
      return true;
    }
    if (n < 0 && errno == EINTR) {
      continue;
    }
    buffer_.resize(kept);
    ended_ = true;
    failed_ = n < 0;
    return false;
  }
}

int WordReader::peek() {
  if (at_ == buffer_.size() && !refill()) {
    return -1;
  }
  return static_cast<unsigned char>(buffer_[at_]);
}

bool WordReader::next(Word& word) {
  int c = peek();
  while (c != -1 && isBlank(c)) {
    ++at_;
    c = peek();
  }
  if (c == -1) {
    return false;
  }
  word_.clear();
  std::size_t length = 0;
  while (c != -1 && !isBlank(c)) {
    if (length < kLongestWord) {
      word_ += static_cast<char>(c);
    }
    ++length;
    ++at_;
    c = peek();
  }
  word = Word{word_, length};
  return true;
}

void WordReader::dropRestOfLine() {
  int c = peek();
  while (c != -1 && c != '\n') {
    ++at_;
    c = peek();
  }
  if (c == '\n') {
    ++at_;
  }
}

}  // namespace frontend
