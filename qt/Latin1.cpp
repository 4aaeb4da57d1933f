#include "qt/Latin1.h"

namespace velta::qt {

QString fromLatin1(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string toLatin1(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  for (QChar c : text) bytes.push_back(c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : '?');
  return bytes;
}

bool isLatin1(const QString& text) {
  for (QChar c : text) {
    if (c.unicode() > 0xFF) return false;
  }
  return true;
}

}  // namespace velta::qt
