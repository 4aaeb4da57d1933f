// The profile-file reader: the Windows rules the workstation's settings file
// relies on, on hand-written text and on files.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "platform/ProfileFile.h"
#include "support/TempDir.h"

namespace velta {
namespace {

using test::TempDir;

// One rule of the reader: a profile text and what lookups in it give.
struct Lookup {
  const char* section;
  const char* key;
  const char* expected;  // nullptr: nothing found
};
struct Rule {
  const char* name;
  std::string_view text;
  std::vector<Lookup> lookups;
};

const Rule kRules[] = {
    {"names compare without case, blanks around go",
     "  [ xQ-Depot ]  \n\tServer  =   SRV 1  \t\ndirectory=D1\n",
     {{"XQ-DEPOT", "SERVER", "SRV 1"}, {"xq-depot", "Directory", "D1"}, {" xQ-Depot ", " server ", "SRV 1"},
      {"xQ-Depot", "TerminalID", nullptr}, {"Other", "Server", nullptr}}},
    {"one pair of matching quotes goes",
     "[S]\na=\"SRV\"\nb='SRV'\nc=\"SRV'\nd=\"\"x\"\"\ne=\"\nf=  \" padded \"  \ng=''\n",
     {{"S", "a", "SRV"}, {"S", "b", "SRV"}, {"S", "c", "\"SRV'"}, {"S", "d", "\"x\""}, {"S", "e", "\""},
      {"S", "f", " padded "}, {"S", "g", ""}}},
    {"the first key wins; a repeated section is not read",
     "[S]\nServer=first\nSERVER=second\n[T]\nServer=other\n[s]\nServer=third\nDirectory=repeated\n",
     {{"S", "Server", "first"}, {"T", "Server", "other"}, {"S", "Directory", nullptr}}},
    {"comments, lines without '=', keys before any section, a '[' line without ']'",
     "Server=before\n[S]\n; Server=commented\n   ;Directory=comment\nDirectory\nServer=SRV ; kept\n"
     "Key=a=b\n[broken\nLater=still in S\n",
     {{"S", "Server", "SRV ; kept"}, {"S", "Directory", nullptr}, {"S", "Key", "a=b"},
      {"S", "Later", "still in S"}, {"", "Server", nullptr}}},
    {"LF, CR LF and CR end lines; the last needs none; a UTF-8 mark is skipped",
     "\xEF\xBB\xBF[S]\r\na=1\r\nb=2\rc=3\nd=4",
     {{"S", "a", "1"}, {"S", "b", "2"}, {"S", "c", "3"}, {"S", "d", "4"}}},
};

TEST(ProfileFile, ReadingRules) {
  for (const auto& rule : kRules) {
    const auto ini = ProfileFile::parse(rule.text);
    for (const auto& lookup : rule.lookups) {
      const auto got = ini.value(lookup.section, lookup.key);
      if (lookup.expected) {
        EXPECT_EQ(got, std::optional<std::string>(lookup.expected)) << rule.name << ": " << lookup.key;
      } else {
        EXPECT_EQ(got, std::nullopt) << rule.name << ": " << lookup.key;
      }
    }
  }
}

class ProfileString : public ::testing::Test {
 protected:
  std::string read(std::string_view section, std::string_view key, uint32_t size = 100,
                   std::string_view fallback = "") {
    std::string buffer(size + 8, '#');
    const uint32_t n = GetPrivateProfileStringA(section, key, fallback, buffer.data(), size, path);
    if (size > 0) {
      EXPECT_EQ(buffer[n], '\0') << "the copy ends with a NUL";
    }
    return buffer.substr(0, n);
  }
  TempDir dir;
  std::string path = (dir.path() / "hBTCatalog.ini").string();
};

TEST(ProfileFile, NamesIgnoreTheCodePagesLetterCase) {
  const auto file = ProfileFile::parse("[D\xE9p\xF4t]\nCl\xE9=1\n");
  EXPECT_EQ(file.value("D\xC9P\xD4T", "CL\xC9"), "1");
  EXPECT_EQ(file.value("DEPOT", "CLE"), std::nullopt);
}

TEST_F(ProfileString, ValuesAreCutToTheBufferLessOne) {
  const std::string long150(150, 'v');
  dir.write("hBTCatalog.ini", "[xQ-Depot]\r\nServer=" + long150 + "\r\nShort=abc\r\n");
  const std::string got = read("xQ-Depot", "Server");
  EXPECT_EQ(got, std::string(99, 'v'));
  EXPECT_EQ(read("xQ-Depot", "Short", 4), "abc");
  EXPECT_EQ(read("xQ-Depot", "Short", 3), "ab");
  EXPECT_EQ(read("xQ-Depot", "Short", 1), "");
  std::string untouched = "#";
  EXPECT_EQ(GetPrivateProfileStringA("xQ-Depot", "Short", "", untouched.data(), 0, path), 0u);
  EXPECT_EQ(untouched, "#");
}

TEST_F(ProfileString, QuotesGoBeforeTheCut) {
  dir.write("hBTCatalog.ini", "[S]\nq=\"abcdef\"\n");
  EXPECT_EQ(read("S", "q", 100), "abcdef");
  EXPECT_EQ(read("S", "q", 4), "abc");
}

TEST_F(ProfileString, AbsentFileSectionOrKeyGivesTheDefaultWithoutTrailingBlanks) {
  EXPECT_EQ(read("xQ-Depot", "Server", 100, "dflt  "), "dflt");
  dir.write("hBTCatalog.ini", "[xQ-Depot]\nServer=SRV\n");
  EXPECT_EQ(read("Other", "Server", 100, " d "), " d");
  EXPECT_EQ(read("xQ-Depot", "Directory"), "");
  EXPECT_EQ(read("xQ-Depot", "Server", 100, "dflt"), "SRV");
}

TEST_F(ProfileString, AReadOnlyFileIsRead) {
  dir.write("hBTCatalog.ini", "[xQ-Depot]\nServer=SRV\n");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(read("xQ-Depot", "Server"), "SRV");
  ::chmod(path.c_str(), 0644);
}

TEST_F(ProfileString, AFolderInPlaceOfTheFileGivesTheDefault) {
  std::filesystem::create_directory(path);
  EXPECT_EQ(read("xQ-Depot", "Server", 100, "none"), "none");
}

}  // namespace
}  // namespace velta
