#include "tools/velta-distributor/WireText.h"

#include <algorithm>
#include <cstdio>

namespace velta::distributor {

namespace {

constexpr std::size_t kShownBytes = 40;
constexpr std::int64_t kMaxMoneyCents = 9'999'999'999;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<Date> validDate(int year, int month, int day) {
  const Date date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                  std::chrono::day{static_cast<unsigned>(day)}};
  if (!date.ok()) return std::nullopt;
  return date;
}

int digitsValue(std::string_view text) {
  int value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return value;
}

}  // namespace

std::vector<std::string_view> splitFields(std::string_view record) {
  std::vector<std::string_view> fields;
  std::size_t from = 0;
  while (true) {
    const std::size_t bar = record.find('|', from);
    if (bar == std::string_view::npos) {
      fields.push_back(record.substr(from));
      return fields;
    }
    fields.push_back(record.substr(from, bar - from));
    from = bar + 1;
  }
}

std::string shown(std::string_view value) {
  const bool cut = value.size() > kShownBytes;
  if (cut) value = value.substr(0, kShownBytes);
  std::string text = "\"";
  for (char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 32 || byte == 127 || c == '|' || c == '\\') {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      text += escaped;
    } else {
      text += c;
    }
  }
  text += cut ? "...\"" : "\"";
  return text;
}

bool fieldSafe(std::string_view value) { return value.find_first_of("|\n\r\t") == std::string_view::npos; }

std::string_view trimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string upperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::optional<std::int64_t> wholeNumber(std::string_view text, std::int64_t max) {
  if (text.empty() || text.size() > 18 || !std::all_of(text.begin(), text.end(), isDigit)) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  if (value > max) return std::nullopt;
  return value;
}

std::optional<std::int64_t> parseMoney(std::string_view text) {
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view cents = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
  if (point != std::string_view::npos && (cents.empty() || cents.size() > 2)) return std::nullopt;
  if (!cents.empty() && !std::all_of(cents.begin(), cents.end(), isDigit)) return std::nullopt;
  const auto units = wholeNumber(whole, kMaxMoneyCents / 100);
  if (!units) return std::nullopt;
  std::int64_t fraction = cents.empty() ? 0 : digitsValue(cents);
  if (cents.size() == 1) fraction *= 10;
  return *units * 100 + fraction;
}

std::string formatMoney(std::int64_t cents) {
  const std::string fraction = std::to_string(cents % 100);
  return std::to_string(cents / 100) + "." + (fraction.size() == 1 ? "0" + fraction : fraction);
}

std::optional<Date> parseCompactDate(std::string_view text) {
  if (text.size() != 8 || !std::all_of(text.begin(), text.end(), isDigit)) return std::nullopt;
  return validDate(digitsValue(text.substr(0, 4)), digitsValue(text.substr(4, 2)), digitsValue(text.substr(6, 2)));
}

std::string compactDate(Date date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

std::optional<Date> parseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const std::string compact = std::string(text.substr(0, 4)) + std::string(text.substr(5, 2)) +
                              std::string(text.substr(8, 2));
  return parseCompactDate(compact);
}

Date addDays(Date date, int days) { return Date{std::chrono::sys_days{date} + std::chrono::days{days}}; }

std::string latin1ToUtf8(std::string_view latin1) {
  std::string utf8;
  utf8.reserve(latin1.size());
  for (char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

std::optional<std::string> utf8ToLatin1(std::string_view utf8) {
  std::string latin1;
  latin1.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte < 0x80) {
      latin1 += utf8[i];
      continue;
    }
    // Only the two-byte forms of U+0080 to U+00FF have a Latin-1 byte.
    if ((byte != 0xC2 && byte != 0xC3) || i + 1 >= utf8.size()) return std::nullopt;
    const auto next = static_cast<unsigned char>(utf8[i + 1]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    latin1 += static_cast<char>(((byte & 0x03) << 6) | (next & 0x3F));
    ++i;
  }
  return latin1;
}

}  // namespace velta::distributor
