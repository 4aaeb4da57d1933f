// A temporary folder for one test, removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace velta::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }

  // Writes `bytes` to the file at `relative` (folders made as needed); returns its full path.
  std::filesystem::path write(std::string_view relative, std::string_view bytes) const;
  // The whole content of the file at `relative`.
  std::string read(std::string_view relative) const;

 private:
  std::filesystem::path path_;
};

}  // namespace velta::test
