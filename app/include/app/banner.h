#pragma once
// The one-line banner shared by the usage text, the greeting and the help.

#include "orvix_version.h"

namespace orvix {

inline constexpr const char* program_banner =
    "Orvane Poker Simulator v" ORVIX_VERSION_TEXT
    " (console edition, provided as is, without warranty)\n";

}  // namespace orvix
