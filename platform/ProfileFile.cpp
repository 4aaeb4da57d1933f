#include "platform/ProfileFile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/TextUtilities.h"

namespace velta {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string withoutQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

// The next line of `text` from `pos` (without its line end); moves `pos` past the line end.
std::string_view nextLine(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  std::size_t end = start;
  while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
  pos = end;
  if (pos < text.size() && text[pos] == '\r') {
    ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  } else if (pos < text.size()) {
    ++pos;
  }
  return text.substr(start, end - start);
}

}  // namespace

ProfileFile ProfileFile::parse(std::string_view text) {
  constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
  if (text.substr(0, kUtf8Mark.size()) == kUtf8Mark) text.remove_prefix(kUtf8Mark.size());

  ProfileFile profile;
  Section* current = nullptr;  // none before the first section and inside a repeated one
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::string_view line = trimmed(nextLine(text, pos));
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string_view::npos) {
        const std::string name = upperAscii(trimmed(line.substr(1, close - 1)));
        if (profile.findSection(name)) {
          current = nullptr;
        } else {
          profile.sections_.push_back({name, {}});
          current = &profile.sections_.back();
        }
        continue;
      }
    }
    const std::size_t equals = line.find('=');
    if (!current || equals == std::string_view::npos) continue;
    std::string key = upperAscii(trimmed(line.substr(0, equals)));
    const bool known = std::any_of(current->entries.begin(), current->entries.end(),
                                   [&](const Entry& e) { return e.key == key; });
    if (!known) current->entries.push_back({std::move(key), withoutQuotes(trimmed(line.substr(equals + 1)))});
  }
  return profile;
}

std::optional<ProfileFile> ProfileFile::load(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;  // a folder or a pipe
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return parse(text);
}

const ProfileFile::Section* ProfileFile::findSection(std::string_view name) const {
  const std::string folded = upperAscii(trimmed(name));
  for (const auto& section : sections_) {
    if (section.name == folded) return &section;
  }
  return nullptr;
}

std::optional<std::string> ProfileFile::value(std::string_view section, std::string_view key) const {
  const Section* found = findSection(section);
  if (!found) return std::nullopt;
  const std::string folded = upperAscii(trimmed(key));
  for (const auto& entry : found->entries) {
    if (entry.key == folded) return entry.value;
  }
  return std::nullopt;
}

uint32_t GetPrivateProfileStringA(std::string_view lpAppName, std::string_view lpKeyName, std::string_view lpDefault,
                                  char* lpReturnedString, uint32_t nSize, const std::string& lpFileName) {
  if (nSize == 0 || !lpReturnedString) return 0;
  std::optional<std::string> found;
  if (const auto profile = ProfileFile::load(lpFileName)) found = profile->value(lpAppName, lpKeyName);
  if (!found) {
    while (!lpDefault.empty() && lpDefault.back() == ' ') lpDefault.remove_suffix(1);
    found = std::string(lpDefault);
  }
  const std::size_t count = std::min<std::size_t>(found->size(), nSize - 1);
  std::memcpy(lpReturnedString, found->data(), count);
  lpReturnedString[count] = '\0';
  return static_cast<uint32_t>(count);
}

}  // namespace velta
