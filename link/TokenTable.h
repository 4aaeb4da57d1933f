// The token table: the 91 characters the check token is written with.
//
// The table is a secret the dealer's workstation shares with the distributor,
// so it is configuration of the deployment, not code. configured() finds it:
//
//   1. the file named by the environment variable VELTA_TOKEN_TABLE;
//   2. else the per-user file $XDG_CONFIG_HOME/velta/token-table
//      (~/.config/velta/token-table when XDG_CONFIG_HOME is unset or empty);
//   3. else the built-in demonstration table, which is public and therefore
//      no secret at all: it serves demos and tests, never a real distributor.
//
//   TokenTable table = TokenTable::configured();
//   char digit = table.at(17);
//
// A table holds exactly 91 different characters from "!" (33) to "~" (126), so
// three of those 94 are missing; "|" must be one of them, because a token
// holding "|" would break the header record it ends. Any other table is
// refused with EngineError -22 (err::BadTokenTable), source "makeToken".
//
// The table file is text:
//
//   | bytes      | content                                        |
//   |------------|------------------------------------------------|
//   | 0 .. 90    | the 91 characters of the table, in order       |
//   | 91         | optional: LF, or CR followed by LF at 91 .. 92 |
//
// Nothing may follow the line ending.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace velta {

class TokenTable {
 public:
  // 94 printable characters from "!" to "~", less three that stay out ("|" among them).
  static constexpr std::size_t kSize = 126 - 33 + 1 - 3;

  // A table from its 91 characters; `origin` names where they came from in an error.
  static TokenTable fromCharacters(std::string_view characters, std::string_view origin);
  // A table from a file in the format above.
  static TokenTable fromFile(const std::filesystem::path& file);
  // The built-in demonstration table (not secret).
  static TokenTable demonstration();
  // The table of this deployment, found as described above. Read on every call,
  // so a changed file takes effect with the next request.
  static TokenTable configured();

  // The per-user table file, whether it exists or not; empty when neither
  // XDG_CONFIG_HOME nor HOME is set.
  static std::filesystem::path perUserFile();

  // Character k (from 0, below kSize).
  char at(std::size_t k) const { return characters_[k]; }
  const std::string& characters() const& noexcept { return characters_; }
  std::string characters() && noexcept { return std::move(characters_); }

 private:
  explicit TokenTable(std::string characters) : characters_(std::move(characters)) {}
  std::string characters_;
};

}  // namespace velta
