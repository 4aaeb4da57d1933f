// Environment variables changed for one test and put back as they were when
// the object goes.
//
//   ScopedEnvironment env({{"VELTA_TOKEN_TABLE", "/tmp/t"}, {"XDG_CONFIG_HOME", std::nullopt}});
#pragma once

#include <stdlib.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velta::test {

// One change to an environment: the name set to the value, or removed with nullopt.
using EnvironmentChange = std::pair<std::string, std::optional<std::string>>;

class ScopedEnvironment {
 public:
  // Each name is set to its value, or removed with nullopt.
  explicit ScopedEnvironment(std::initializer_list<EnvironmentChange> changes) {
    for (const auto& [name, value] : changes) {
      const char* old = getenv(name.c_str());
      saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
      apply(name, value);
    }
  }
  ~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) apply(it->first, it->second);
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  static void apply(const std::string& name, const std::optional<std::string>& value) {
    if (value) {
      setenv(name.c_str(), value->c_str(), 1);
    } else {
      unsetenv(name.c_str());
    }
  }
  std::vector<EnvironmentChange> saved_;
};

}  // namespace velta::test
