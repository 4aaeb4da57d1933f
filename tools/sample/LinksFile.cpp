#include "tools/sample/LinksFile.h"

#include <stdexcept>

#include "tools/sample/RecordFields.h"

namespace velta::sample {

std::string linksFileBytes(const std::vector<SampleLink>& links) {
  std::string bytes;
  for (const SampleLink& l : links) {
    if (l.link.size() > kLinkNameWidth || l.resolution.size() > kLinkNameWidth) {
      throw std::logic_error("link \"" + l.link + "\" does not fit the links file's 79 characters");
    }
    std::string entry(kLinkEntrySize, ' ');
    putText(entry, 2, kLinkNameWidth, l.link);
    putText(entry, 82, kLinkNameWidth, l.resolution);
    bytes += entry;
  }
  return bytes;
}

}  // namespace velta::sample
