#include "core/error.h"

namespace velm {

namespace {
std::string Replace(std::string_view pattern, std::string_view marker, std::string_view arg) {
  std::string out(pattern);
  if (auto at = out.find(marker); at != std::string::npos) out.replace(at, marker.size(), arg);
  return out;
}
}  // namespace

std::string FormatText(std::string_view pattern, std::string_view arg) {
  return Replace(pattern, "%s", arg);
}

std::string FormatText(std::string_view pattern, int value) {
  return Replace(pattern, "%d", std::to_string(value));
}

}  // namespace velm
