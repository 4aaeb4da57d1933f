// The links file, read whole as 8-bit text and cut into entries of 160 bytes
// (positions 1-based in the entry); a final shorter entry is read as far as it goes:
//
//   bytes    width  content
//   1        1      not used
//   2-80     79     link (logical) file name, such as ":D1:VNDRI"
//   81       1      not used
//   82-160   79     resolution (directory) file name, such as ":D1:VNDRDI"
//
// Both names lose trailing NUL, tab, line-feed, carriage-return and blanks.
// An entry without a link name is skipped; of repeated link names the first wins.
#include "engine/cLinks.h"

#include "base/TextUtilities.h"

namespace velta {

namespace {
constexpr std::size_t kEntrySize = 160;
constexpr std::size_t kNameWidth = 79;
constexpr std::size_t kLinkNameOffset = 1;         // entry position 2
constexpr std::size_t kResolutionNameOffset = 81;  // entry position 82

std::string field(std::string_view entry, std::size_t offset) {
  if (offset >= entry.size()) return {};
  return Trun(entry.substr(offset, kNameWidth), 1);
}
}  // namespace

cLinks::cLinks(std::string_view linksFileText) : cLinks() {
  for (std::size_t p = 0; p < linksFileText.size(); p += kEntrySize) {
    const std::string_view entry = linksFileText.substr(p, kEntrySize);
    std::string link = field(entry, kLinkNameOffset);
    if (link.empty() || Find(link)) continue;
    std::string key = link;
    Add(std::move(link), field(entry, kResolutionNameOffset), key);
  }
}

std::shared_ptr<cLink> cLinks::Add(std::string LinkFile, std::string ResolutionFile, std::string_view sKey) {
  auto link = std::make_shared<cLink>();
  link->LinkFile = std::move(LinkFile);
  link->ResolutionFile = std::move(ResolutionFile);
  return KeyedCollection::Add(std::move(link), sKey);
}

}  // namespace velta
