// Profile (ini) files, read the way the Windows profile routines read them.
//
// The workstation's settings file and the per-user application settings are
// profile files. What the reader does with the text:
//
//   - Lines end at LF, CR LF or a lone CR; the last line needs no line end.
//     A UTF-8 byte-order mark at the very start is skipped.
//   - Blanks (space, tab, VT, FF, CR, LF) at both ends of a line are ignored.
//     Empty lines and lines whose first character is ";" are comments.
//   - "[name]" opens a section: the name is the text between "[" and the last
//     "]" of the line, blanks around it removed. A "[" line without "]" is no
//     section line (and, holding no "=", no key either).
//   - "key=value": the key is the text before the first "=", the value the
//     text after it, blanks around each removed. A line without "=" defines
//     nothing. Lines before the first section belong to no section.
//   - Section and key names compare without regard to letter case, in the
//     system's code page (Windows-1252: "\xE9" é and "\xC9" É are one letter).
//   - A section name that occurs again does not open a new section: only the
//     first section of a name is read (as Windows does), so its keys win and
//     the later section's keys are never seen. Within the first section, the
//     first line of a key wins.
//   - A value that begins and ends with the same quote character (" or '),
//     and is at least two characters long, loses that one pair of quotes.
//   - Nothing else is interpreted: ";" after a value is part of the value.
//
//   auto ini = ProfileFile::parse("[xQ-Depot]\r\nServer = \"SRV\"\r\n");
//   ini.value("XQ-DEPOT", "server");   // "SRV"
//
//   char buffer[100];
//   auto n = GetPrivateProfileStringA("xQ-Depot", "Server", "", buffer, 100, "/tmp/hBTCatalog.ini");
//   std::string server(buffer, n);     // at most 99 characters
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velta {

class ProfileFile {
 public:
  // An empty profile: every lookup finds nothing.
  ProfileFile() = default;

  static ProfileFile parse(std::string_view text);
  // The file's profile; nothing when it is no file that can be read
  // (absent, a folder, no permission).
  static std::optional<ProfileFile> load(const std::string& path);

  // The value of `key` in `section` (quotes removed), or nothing when either is absent.
  std::optional<std::string> value(std::string_view section, std::string_view key) const;

 private:
  struct Entry {
    std::string key;    // upper-cased
    std::string value;  // as it stands in the file, quotes removed
  };
  struct Section {
    std::string name;  // upper-cased
    std::vector<Entry> entries;
  };
  const Section* findSection(std::string_view name) const;

  std::vector<Section> sections_;
};

// Copies the value (or, when the file, section or key is absent, `lpDefault`
// without its trailing blanks) into `lpReturnedString`, cut to nSize - 1
// characters and ended with a NUL; returns the number of characters copied
// before the NUL. A size of 0 copies nothing and returns 0.
uint32_t GetPrivateProfileStringA(std::string_view lpAppName, std::string_view lpKeyName, std::string_view lpDefault,
                                  char* lpReturnedString, uint32_t nSize, const std::string& lpFileName);

}  // namespace velta
