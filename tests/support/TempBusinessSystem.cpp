#include "support/TempBusinessSystem.h"

#include <stdexcept>

#include "engine/EngineState.h"
#include "engine/Registries.h"
#include "platform/ShareAccess.h"
#include "engine/cSystem.h"

namespace velta::test {

TempBusinessSystem::TempBusinessSystem(std::string server, std::string directory) : server_(std::move(server)) {
  std::filesystem::create_directories(serverFolder() / "HBTSLNK");
  // Every business system has its terminal map; the engine does not start without one.
  dir_.write(server_ + "/HBTSLNK/ttymap", "OTHERPC 9,x\n");
  shareAccess().configure({std::string(), dir_.str()});
  auto& system = *engineState().system;
  system.mUNCDrive = server_;
  system.mDirectory = std::move(directory);
}

TempBusinessSystem::~TempBusinessSystem() {
  auto& state = engineState();
  state.links.reset();
  state.openFiles.reset();
  state.logicalFiles.reset();
  shareAccess().configure({std::string(), std::string()});
}

std::filesystem::path TempBusinessSystem::serverFolder() const { return dir_.path() / server_; }

std::filesystem::path TempBusinessSystem::write(std::string_view belowServer, std::string_view bytes) const {
  return dir_.write(server_ + "/" + std::string(belowServer), bytes);
}

std::string TempBusinessSystem::read(std::string_view belowServer) const {
  return dir_.read(server_ + "/" + std::string(belowServer));
}

std::string TempBusinessSystem::unc(std::string_view belowServer) const {
  std::string path = "\\\\" + server_ + "\\" + std::string(belowServer);
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

void TempBusinessSystem::startEngine() const { createRegistries(); }

std::string bigEndian(int64_t value, int width) {
  std::string out(static_cast<std::size_t>(width), '\0');
  for (int i = width - 1; i >= 0; --i) {
    out[static_cast<std::size_t>(i)] = static_cast<char>(value & 0xFF);
    value >>= 8;
  }
  return out;
}

std::string linksEntry(std::string_view link, std::string_view resolution, char pad) {
  if (link.size() > 79 || resolution.size() > 79) throw std::invalid_argument("links-file names hold 79 bytes");
  std::string entry = " " + std::string(link) + std::string(79 - link.size(), pad);
  entry += " " + std::string(resolution) + std::string(79 - resolution.size(), pad);
  return entry;
}

std::string directoryEntry(std::string_view name, char fileType, int32_t position, int32_t recordLength,
                           int32_t lastRecord, int32_t flags, char pad) {
  if (name.size() > 10) throw std::invalid_argument("directory names hold 10 bytes");
  std::string entry;
  if (name.size() <= 6) {
    entry = std::string(name) + std::string(6 - name.size(), pad) + bigEndian(flags, 2) + std::string(2, pad);
  } else {
    entry = std::string(name) + std::string(10 - name.size(), pad);
  }
  entry += bigEndian(position, 3) + bigEndian(recordLength, 2) + std::string(1, fileType) + bigEndian(lastRecord, 4);
  entry += std::string(12, '\0');
  return entry;
}

int openDescriptorCount() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

}  // namespace velta::test
