#include "platform/UncPath.h"

namespace velta {

namespace {
bool isSeparator(char c) { return c == '\\' || c == '/'; }
}  // namespace

std::string UncPath::text() const {
  std::string out = "\\\\" + server + "\\" + share;
  for (const auto& c : components) out += "\\" + c;
  return out;
}

std::optional<UncPath> parseUncPath(std::string_view path) {
  if (path.size() < 2 || !isSeparator(path[0]) || !isSeparator(path[1])) return std::nullopt;
  std::vector<std::string> parts;
  std::size_t i = 0;
  while (i < path.size()) {
    while (i < path.size() && isSeparator(path[i])) ++i;
    const std::size_t start = i;
    while (i < path.size() && !isSeparator(path[i])) ++i;
    if (i > start) parts.emplace_back(path.substr(start, i - start));
  }
  if (parts.size() < 2) return std::nullopt;
  for (const auto& part : parts) {
    if (part == "." || part == ".." || part.find('\0') != std::string::npos) return std::nullopt;
  }
  UncPath unc;
  unc.server = parts[0];
  unc.share = parts[1];
  unc.components.assign(parts.begin() + 2, parts.end());
  return unc;
}

std::string normalUncText(std::string_view path) {
  const auto unc = parseUncPath(path);
  return unc ? unc->text() : std::string(path);
}

}  // namespace velta
