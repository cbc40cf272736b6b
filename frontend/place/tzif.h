// Whether the bytes of a compiled zone file are a TZif file (RFC 8536)
// that can be read: date/tz trusts the counts of its headers and aborts on
// a file that does not hold what they say.
#pragma once

#include <string_view>

namespace frontend {

// True if `data` holds a well-formed TZif file: the header of each block
// (version 1, and the 64-bit block for the later versions, whose version 1
// block is only skipped) with its magic and counts (at least one local time type and one
// character of designations; the standard and UT indicators absent or one
// a type), the data the counts announce within the file, each transition's
// type and each type's designation within their tables; for versions 2 and
// later, the footer's line after the 64-bit block.
bool validTzif(std::string_view data);

}  // namespace frontend
