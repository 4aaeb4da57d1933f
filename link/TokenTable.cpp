#include "link/TokenTable.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

#include "base/EngineError.h"

namespace velta {

namespace {

constexpr char kSource[] = "makeToken";
constexpr unsigned char kFirst = '!';  // 33
constexpr unsigned char kLast = '~';   // 126

// The table the system ships with. It is printed here for everyone to read, so
// it is no secret: a deployment that talks to a real distributor puts the
// table the distributor holds into VELTA_TOKEN_TABLE or the per-user file.
// Left out: "|" (it would break the header record), '"' and '\'.
constexpr std::string_view kDemonstration =
    "?9h+5d_sZ*n8Bxy]Di>.3uC$6=)b[W~frm20R{HTX%;o7gQYPS@AeNaJMO/p-F^Ulj#q!G`z'IL&:,kKEt}<1Vvc(4w";
static_assert(kDemonstration.size() == TokenTable::kSize);

// A file of more than this is refused without reading it all.
constexpr std::size_t kMaxFileBytes = 4096;

[[noreturn]] void refuse(std::string_view origin, const std::string& what) {
  throw EngineError(err::BadTokenTable, kSource, std::string(origin) + ": " + what);
}

std::string quoted(char c) { return std::string("\"") + c + "\""; }

std::string fileOrigin(const std::filesystem::path& file) {
  return "token table file \"" + file.string() + "\"";
}

const char* environment(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : nullptr;
}

}  // namespace

TokenTable TokenTable::fromCharacters(std::string_view characters, std::string_view origin) {
  if (characters.size() != kSize) {
    refuse(origin, "holds " + std::to_string(characters.size()) + " characters, not " + std::to_string(kSize));
  }
  std::array<std::size_t, 256> seenAt{};  // 1-based position of each byte seen so far, 0 for none
  for (std::size_t i = 0; i < characters.size(); ++i) {
    const auto byte = static_cast<unsigned char>(characters[i]);
    const std::string position = "character " + std::to_string(i + 1);
    if (byte < kFirst || byte > kLast) {
      refuse(origin, position + " is byte " + std::to_string(byte) + ", outside \"!\" (33) to \"~\" (126)");
    }
    if (byte == '|') {
      refuse(origin, position + " is \"|\", which would break the header record a token ends");
    }
    if (seenAt[byte] != 0) {
      refuse(origin, position + " repeats " + quoted(characters[i]) + " of character " + std::to_string(seenAt[byte]));
    }
    seenAt[byte] = i + 1;
  }
  return TokenTable(std::string(characters));
}

TokenTable TokenTable::fromFile(const std::filesystem::path& file) {
  const std::string origin = fileOrigin(file);
  std::ifstream in(file, std::ios::binary);
  if (!in) refuse(origin, std::string("cannot be read: ") + std::strerror(errno));
  std::string text(kMaxFileBytes + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad()) refuse(origin, std::string("cannot be read: ") + std::strerror(errno));
  text.resize(static_cast<std::size_t>(in.gcount()));

  std::string_view line = text;
  if (const auto lf = line.find('\n'); lf != std::string_view::npos) {
    if (lf + 1 < text.size()) {
      refuse(origin, "more follows the table's line, from byte " + std::to_string(lf + 2));
    }
    line = line.substr(0, lf);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  } else if (text.size() > kMaxFileBytes) {
    refuse(origin, "is longer than " + std::to_string(kMaxFileBytes) + " bytes, not one line of " +
                       std::to_string(kSize) + " characters");
  }
  return fromCharacters(line, origin);
}

TokenTable TokenTable::demonstration() {
  return fromCharacters(kDemonstration, "built-in token table");
}

std::filesystem::path TokenTable::perUserFile() {
  if (const char* config = environment("XDG_CONFIG_HOME")) {
    return std::filesystem::path(config) / "velta" / "token-table";
  }
  if (const char* home = environment("HOME")) {
    return std::filesystem::path(home) / ".config" / "velta" / "token-table";
  }
  return {};
}

TokenTable TokenTable::configured() {
  if (const char* named = environment("VELTA_TOKEN_TABLE")) return fromFile(named);
  const auto perUser = perUserFile();
  std::error_code ignored;
  if (!perUser.empty() && std::filesystem::exists(perUser, ignored)) return fromFile(perUser);
  return demonstration();
}

}  // namespace velta
