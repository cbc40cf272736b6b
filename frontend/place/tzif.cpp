// validTzif: the structure of RFC 8536, section 3, checked before date/tz
// reads a file.
#include "frontend/place/tzif.h"

#include <cstddef>
#include <cstdint>

namespace frontend {
namespace {

constexpr std::size_t kHeaderSize = 44;

std::uint32_t bigEndian32(std::string_view data, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value = (value << 8) | static_cast<unsigned char>(data[at + i]);
  }
  return value;
}

// The block (header and data) that starts at `at`, with times of
// `timeSize` bytes; its size, or 0 if it is not well formed. `read`: its
// data is read (else only skipped, as the version 1 block of a later
// version is).
std::uint64_t blockSize(std::string_view data, std::size_t at, std::uint64_t timeSize, bool read) {
  if (data.size() < at + kHeaderSize || data.substr(at, 4) != "TZif") {
    return 0;
  }
  const std::uint64_t isUtCount = bigEndian32(data, at + 20);
  const std::uint64_t isStdCount = bigEndian32(data, at + 24);
  const std::uint64_t leapCount = bigEndian32(data, at + 28);
  const std::uint64_t timeCount = bigEndian32(data, at + 32);
  const std::uint64_t typeCount = bigEndian32(data, at + 36);
  const std::uint64_t charCount = bigEndian32(data, at + 40);
  if (typeCount == 0 || typeCount > 256 || charCount == 0 ||
      (isUtCount != 0 && isUtCount != typeCount) || (isStdCount != 0 && isStdCount != typeCount)) {
    return 0;
  }
  const std::uint64_t size = kHeaderSize + timeCount * (timeSize + 1) + typeCount * 6 + charCount +
                             leapCount * (timeSize + 4) + isStdCount + isUtCount;
  if (data.size() - at < size) {
    return 0;
  }
  if (!read) {
    return size;
  }
  const std::size_t types = at + kHeaderSize + static_cast<std::size_t>(timeCount * timeSize);
  for (std::size_t i = 0; i < timeCount; ++i) {
    if (static_cast<unsigned char>(data[types + i]) >= typeCount) {
      return 0;
    }
  }
  const std::size_t infos = types + static_cast<std::size_t>(timeCount);
  for (std::size_t i = 0; i < typeCount; ++i) {
    const std::size_t info = infos + 6 * i;
    const auto isDst = static_cast<unsigned char>(data[info + 4]);
    const auto designation = static_cast<unsigned char>(data[info + 5]);
    if (isDst > 1 || designation >= charCount || bigEndian32(data, info) == 0x8000'0000U) {
      return 0;
    }
  }
  return size;
}

}  // namespace

bool validTzif(std::string_view data) {
  // Version 1 (0) has its one block; any later version (2, 3, 4, and those
  // to come, which keep the layout) the 64-bit block after it.
  const bool version1 = data.size() > 4 && data[4] == '\0';
  const std::uint64_t first = blockSize(data, 0, 4, version1);
  if (first == 0) {
    return false;
  }
  if (version1) {
    return true;
  }
  const auto second = static_cast<std::size_t>(first);
  const std::uint64_t size = blockSize(data, second, 8, true);
  if (size == 0 || data[second + 4] != data[4]) {  // date/tz wants them equal
    return false;
  }
  // The footer: a line of its own, from a line end to a line end.
  const std::size_t footer = second + static_cast<std::size_t>(size);
  return data.size() >= footer + 2 && data[footer] == '\n' &&
         data.find('\n', footer + 1) != std::string_view::npos;
}

}  // namespace frontend
