#include "records/SitePaths.h"

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "base/TextUtilities.h"

namespace velta {

namespace {

namespace fs = std::filesystem;

// The on-disk name in `folder` that `component` names, or nothing.
std::optional<std::string> onDiskName(const fs::path& folder, const std::string& component) {
  std::error_code error;
  if (fs::symlink_status(folder / component, error).type() != fs::file_type::not_found && !error) {
    return component;
  }
  std::optional<std::string> best;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (equalsIgnoreCase(name, component) && (!best || name < *best)) best = name;
  }
  return best;
}

}  // namespace

std::string GetTempDir() {
  const char* variable = std::getenv("TMPDIR");
  std::string folder = variable && *variable ? variable : "/tmp";
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::string GetLongPath(std::string_view path) {
  if (path.empty()) return {};
  const bool absolute = path.front() == '/';
  std::string result = absolute ? "/" : "";
  fs::path folder = absolute ? fs::path("/") : fs::path(".");
  bool matching = true;  // false once a component matched nothing
  bool first = true;
  for (const auto& component : Split(path, "/")) {
    std::string name = component;
    if (matching && component != "." && component != "..") {
      const auto found = onDiskName(folder, component);
      if (found) {
        name = *found;
      } else {
        matching = false;
      }
    }
    folder /= name;
    if (!first) result += '/';
    result += name;
    first = false;
  }
  if (path.back() == '/' && !first) result += '/';
  return result;
}

}  // namespace velta
