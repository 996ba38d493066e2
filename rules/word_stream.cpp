#include "word_stream.h"

namespace orvix {

// TODO(rules): placeholder bodies.
std::string upper_copy(std::string_view text) { return std::string(text); }
bool at_end(const WordStream& stream) { return stream.pos >= stream.text.size(); }
std::string_view read_word(WordStream&) { return {}; }
bool read_int32(WordStream&, std::int32_t&) { return false; }
bool read_int64(WordStream&, std::int64_t&) { return false; }

}  // namespace orvix
