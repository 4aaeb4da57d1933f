// Record strings hold one byte per character; on screen they are Latin-1.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace velta::qt {

QString fromLatin1(std::string_view bytes);
// Every character of U+0000..U+00FF as its byte; anything above as "?"
// (callers that must refuse such text ask isLatin1 first).
std::string toLatin1(const QString& text);
// True when every character fits one Latin-1 byte.
bool isLatin1(const QString& text);

}  // namespace velta::qt
