// Blank-separated words from a file descriptor or from memory.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace frontend {

// Reads words: runs of bytes other than the blanks of the C locale (space,
// tab, line end, carriage return, vertical tab, form feed). Memory stays
// bounded whatever the input: a word longer than kLongestWord keeps its
// first kLongestWord bytes and its full length.
class WordReader {
 public:
  static constexpr std::size_t kLongestWord = 4096;

  // Reads the descriptor; `beforeWaiting` is called each time the reader is
  // about to wait for more input, to send out what the other side should see
  // first. When it returns false the reader waits for nothing more: the
  // input ends there.
  WordReader(int fd, std::function<bool()> beforeWaiting);
  // Reads the given bytes.
  explicit WordReader(std::string_view bytes);

  struct Word {
    std::string_view text;  // the word, or its first kLongestWord bytes
    std::size_t length;     // its full length
  };

  // The next word, skipping blanks and line ends; false at the end of the
  // input (or on a read error). The text stays valid until the next call.
  bool next(Word& word);

  // Drops what is left of the current line, its line end included.
  void dropRestOfLine();

  // Whether reading stopped on an error rather than at the end.
  bool failed() const { return failed_; }

 private:
  // -1 at the end of the input, else the next byte without consuming it.
  int peek();
  bool refill();

  int fd_ = -1;
  std::function<bool()> beforeWaiting_;
  std::string buffer_;
  std::size_t at_ = 0;
  bool ended_ = false;
  bool failed_ = false;
  std::string word_;
};

}  // namespace frontend
