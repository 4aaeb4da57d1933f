// A business system in a temporary folder, for tests: the folder is the UNC
// root (ROOT/SERVER/SHARE/...), the system object names SERVER and the dealer
// directory, and the engine's registries can be created over it. Byte
// builders for the links file and directory files, written here independently
// of the readers so that a shared mistake cannot pass.
//
//   test::TempBusinessSystem bs;                          // \\SRV\HBTSLNK\D1
//   bs.write("HBTSLNK/LINKSFILE", test::linksEntry(":D1:VNDRI", ":D1:VNDRDI"));
//   bs.write("HBTSLNK/D1/VNDRDI", test::directoryEntry("VNDRI", 'L', 1, 100, 9));
//   bs.startEngine();                                     // createRegistries()
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "support/TempDir.h"

namespace velta::test {

class TempBusinessSystem {
 public:
  explicit TempBusinessSystem(std::string server = "SRV", std::string directory = "D1");
  // Drops the registries and the share configuration it set.
  ~TempBusinessSystem();
  TempBusinessSystem(const TempBusinessSystem&) = delete;
  TempBusinessSystem& operator=(const TempBusinessSystem&) = delete;

  // ROOT/SERVER: the folder that holds the server's shares.
  std::filesystem::path serverFolder() const;
  // Writes bytes at a path below the server ("HBTSLNK/D1/VNDRDI"); folders made as needed.
  std::filesystem::path write(std::string_view belowServer, std::string_view bytes) const;
  std::string read(std::string_view belowServer) const;
  // "\\SERVER\" + the path with "\" separators.
  std::string unc(std::string_view belowServer) const;

  // Creates the engine's registries, reading the links file now.
  void startEngine() const;

  const TempDir& dir() const { return dir_; }
  const std::string& server() const { return server_; }

 private:
  TempDir dir_;
  std::string server_;
};

// One 160-byte links-file entry: a blank, the link name in 79 bytes, a blank,
// the resolution name in 79 bytes (names padded with `pad`).
std::string linksEntry(std::string_view link, std::string_view resolution, char pad = ' ');

// One 32-byte directory entry. The name fills bytes 1-6 padded with `pad`
// (a longer name runs on into bytes 7-10 and leaves no room for flags).
std::string directoryEntry(std::string_view name, char fileType, int32_t position, int32_t recordLength,
                           int32_t lastRecord, int32_t flags = 0, char pad = '\0');

// Big-endian bytes of the low `width` bytes of `value`.
std::string bigEndian(int64_t value, int width);

// The number of descriptors this process has open.
int openDescriptorCount();

}  // namespace velta::test
