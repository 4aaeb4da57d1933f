#include "platform/UserSettings.h"

#include <cstdlib>

#include "platform/ProfileFile.h"

namespace velta {

namespace {

std::string variable(const char* name) {
  const char* text = std::getenv(name);
  return text ? text : "";
}

bool usableName(std::string_view application) {
  return !application.empty() && application != "." && application != ".." &&
         application.find('/') == std::string_view::npos;
}

}  // namespace

std::string userSettingsPath(std::string_view application) {
  if (!usableName(application)) return {};
  std::string folder = variable("XDG_CONFIG_HOME");
  if (folder.empty()) {
    const std::string home = variable("HOME");
    if (home.empty()) return {};
    folder = home + "/.config";
  }
  return folder + "/" + std::string(application) + "/settings.ini";
}

std::string userSetting(std::string_view application, std::string_view section, std::string_view key) {
  const std::string path = userSettingsPath(application);
  if (path.empty()) return {};
  const auto profile = ProfileFile::load(path);
  if (!profile) return {};
  return profile->value(section, key).value_or("");
}

}  // namespace velta
