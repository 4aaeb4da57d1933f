#include "link/TokenTable.h"

#include <gtest/gtest.h>

#include <set>

#include "base/EngineError.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "support/TestTokenTable.h"

namespace velta {
namespace {

using test::ScopedEnvironment;
using test::TempDir;

std::string orderedTable() { return test::orderedTokenTable(); }

// The description of the -22 error that loading `file` raises.
std::string refusal(const std::filesystem::path& file) {
  try {
    TokenTable::fromFile(file);
  } catch (const EngineError& e) {
    EXPECT_EQ(e.number(), err::BadTokenTable);
    EXPECT_EQ(e.source(), "makeToken");
    return e.description();
  }
  ADD_FAILURE() << "table accepted: " << file;
  return {};
}

class TokenTableFile : public ::testing::Test {
 protected:
  // Writes `bytes` as the table file; its description prefix is in `origin`.
  std::filesystem::path write(std::string_view bytes) {
    file = dir.write("table", bytes);
    origin = "token table file \"" + file.string() + "\": ";
    return file;
  }
  TempDir dir;
  std::filesystem::path file;
  std::string origin;
};

TEST(TokenTable, BuiltInTableKeepsTheRules) {
  const std::string t = TokenTable::demonstration().characters();
  ASSERT_EQ(t.size(), 91u);
  EXPECT_EQ(std::set<char>(t.begin(), t.end()).size(), 91u);
  for (char c : t) {
    EXPECT_GE(c, '!');
    EXPECT_LE(c, '~');
    EXPECT_NE(c, '|');
  }
}

TEST_F(TokenTableFile, OneLineWithOrWithoutItsEnding) {
  for (const std::string ending : {"", "\n", "\r\n"}) {
    EXPECT_EQ(TokenTable::fromFile(write(orderedTable() + ending)).characters(), orderedTable()) << ending.size();
  }
}

TEST_F(TokenTableFile, NothingMayFollowTheLine) {
  write(orderedTable() + "\n\n");
  EXPECT_EQ(refusal(file), origin + "more follows the table's line, from byte 93");
  write(orderedTable() + "\r\nx");
  EXPECT_EQ(refusal(file), origin + "more follows the table's line, from byte 94");
  write(orderedTable() + "\nabc\n");
  EXPECT_EQ(refusal(file), origin + "more follows the table's line, from byte 93");
}

TEST_F(TokenTableFile, WrongLength) {
  write(orderedTable().substr(1));
  EXPECT_EQ(refusal(file), origin + "holds 90 characters, not 91");
  write(orderedTable() + "}");
  EXPECT_EQ(refusal(file), origin + "holds 92 characters, not 91");
  write(orderedTable() + "\r");  // a CR without its LF is no line ending
  EXPECT_EQ(refusal(file), origin + "holds 92 characters, not 91");
  write("");
  EXPECT_EQ(refusal(file), origin + "holds 0 characters, not 91");
  write(std::string(5000, 'a'));
  EXPECT_EQ(refusal(file), origin + "is longer than 4096 bytes, not one line of 91 characters");
}

TEST_F(TokenTableFile, RepeatedCharacter) {
  std::string t = orderedTable();
  t[16] = t[4];  // character 17 is "%" again
  write(t);
  EXPECT_EQ(refusal(file), origin + "character 17 repeats \"%\" of character 5");
}

TEST_F(TokenTableFile, CharacterOutOfRange) {
  for (int bad : {32, 9, 127, 200}) {  // blank, tab, DEL, a byte above 127
    std::string t = orderedTable();
    t[2] = static_cast<char>(bad);
    write(t);
    EXPECT_EQ(refusal(file), origin + "character 3 is byte " + std::to_string(bad) +
                                 ", outside \"!\" (33) to \"~\" (126)");
  }
}

TEST_F(TokenTableFile, PipeIsRefusedThoughInRange) {
  std::string t = orderedTable();
  t[11] = '|';
  write(t);
  EXPECT_EQ(refusal(file), origin + "character 12 is \"|\", which would break the header record a token ends");
}

TEST_F(TokenTableFile, UnreadableFile) {
  const auto missing = dir.path() / "absent";
  EXPECT_EQ(refusal(missing), "token table file \"" + missing.string() + "\": cannot be read: No such file or directory");
}

TEST(TokenTable, CharactersOfAnotherOriginNameIt) {
  try {
    TokenTable::fromCharacters("abc", "test table");
    FAIL() << "accepted";
  } catch (const EngineError& e) {
    EXPECT_EQ(e.description(), "test table: holds 3 characters, not 91");
  }
}

class ConfiguredTable : public ::testing::Test {
 protected:
  std::string reversed() {
    const std::string t = orderedTable();
    return {t.rbegin(), t.rend()};
  }
  TempDir dir;
};

TEST_F(ConfiguredTable, EnvironmentVariableComesFirst) {
  const auto named = dir.write("named", orderedTable() + "\n");
  dir.write("xdg/velta/token-table", reversed());
  ScopedEnvironment env({{"VELTA_TOKEN_TABLE", named.string()}, {"XDG_CONFIG_HOME", (dir.path() / "xdg").string()}});
  EXPECT_EQ(TokenTable::configured().characters(), orderedTable());
}

TEST_F(ConfiguredTable, NamedFileMissingIsAnErrorNotTheBuiltInTable) {
  const auto missing = dir.path() / "absent";
  ScopedEnvironment env({{"VELTA_TOKEN_TABLE", missing.string()}});
  EXPECT_THROW(TokenTable::configured(), EngineError);
}

TEST_F(ConfiguredTable, PerUserFileUnderXdgConfigHome) {
  dir.write("xdg/velta/token-table", reversed());
  dir.write("home/.config/velta/token-table", orderedTable());
  ScopedEnvironment env({{"VELTA_TOKEN_TABLE", ""},
                         {"XDG_CONFIG_HOME", (dir.path() / "xdg").string()},
                         {"HOME", (dir.path() / "home").string()}});
  EXPECT_EQ(TokenTable::perUserFile(), dir.path() / "xdg/velta/token-table");
  EXPECT_EQ(TokenTable::configured().characters(), reversed());
}

TEST_F(ConfiguredTable, PerUserFileUnderHomeWhenXdgUnset) {
  dir.write("home/.config/velta/token-table", orderedTable());
  ScopedEnvironment env({{"VELTA_TOKEN_TABLE", std::nullopt},
                         {"XDG_CONFIG_HOME", std::nullopt},
                         {"HOME", (dir.path() / "home").string()}});
  EXPECT_EQ(TokenTable::perUserFile(), dir.path() / "home/.config/velta/token-table");
  EXPECT_EQ(TokenTable::configured().characters(), orderedTable());
}

TEST_F(ConfiguredTable, BadPerUserFileIsRefused) {
  dir.write("xdg/velta/token-table", "short");
  ScopedEnvironment env({{"VELTA_TOKEN_TABLE", std::nullopt}, {"XDG_CONFIG_HOME", (dir.path() / "xdg").string()}});
  EXPECT_THROW(TokenTable::configured(), EngineError);
}

TEST_F(ConfiguredTable, BuiltInTableWhenNothingIsConfigured) {
  ScopedEnvironment env({{"VELTA_TOKEN_TABLE", std::nullopt},
                         {"XDG_CONFIG_HOME", std::nullopt},
                         {"HOME", (dir.path() / "empty-home").string()}});
  EXPECT_EQ(TokenTable::configured().characters(), TokenTable::demonstration().characters());
  ScopedEnvironment noHome({{"HOME", std::nullopt}});
  EXPECT_TRUE(TokenTable::perUserFile().empty());
  EXPECT_EQ(TokenTable::configured().characters(), TokenTable::demonstration().characters());
}

}  // namespace
}  // namespace velta
