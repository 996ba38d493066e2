#pragma once
// Reading one command line of any length, NUL bytes included.

#include <cstdio>
#include <string>

namespace orvix {

// Reads the bytes up to the next '\n' (consumed, not kept) into line.
// A last line without a line end is still delivered; only a read that meets
// the end of the input (or a read error) before any byte returns false.
bool read_line(std::FILE* in, std::string& line);

}  // namespace orvix
