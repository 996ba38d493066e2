#include "app/line_reader.h"

namespace orvix {

bool read_line(std::FILE* in, std::string& line) {
  line.clear();
  int c = std::getc(in);
  if (c == EOF) return false;
  while (c != EOF && c != '\n') {
    line.push_back(static_cast<char>(c));
    c = std::getc(in);
  }
  return true;
}

}  // namespace orvix
