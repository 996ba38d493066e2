#pragma once
// The one-line banner shared by the usage text, the greeting and the help.

namespace orvix {

inline constexpr const char* program_banner =
    "Orvane Poker Simulator v1.4.5 (console edition, provided as is, without warranty)\n";

}  // namespace orvix
