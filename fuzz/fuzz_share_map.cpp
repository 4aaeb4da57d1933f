// The share-map reader on arbitrary text, smb:// lines among it: no crash, and
// every entry it keeps is well formed (one line per share, sane ports and timeouts).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/TextUtilities.h"
#include "platform/ShareMap.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

void checkTarget(const velta::ShareTarget& t) {
  if (t.kind == velta::ShareTarget::Kind::Local) {
    check(!t.localDirectory.empty());
    return;
  }
  check(!t.host.empty() && !t.share.empty());
  check(t.share.find('/') == std::string::npos);
  check(t.port >= 0 && t.port <= 65535);
  check(t.timeoutSeconds >= 1 && t.timeoutSeconds <= 3600);
  check(t.describe().rfind("smb://", 0) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto map = velta::ShareMap::parse(text, "fuzz.conf", "/base");
  const auto& entries = map.entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    checkTarget(entries[i].target);
    check(!entries[i].server.empty() && !entries[i].share.empty());
    check(map.find(velta::lowerAscii(entries[i].server), velta::upperAscii(entries[i].share)) == &entries[i]);
  }
  for (const auto& problem : map.problems()) check(problem.rfind("fuzz.conf:", 0) == 0);

  std::string problem;
  if (const auto target = velta::parseSmbTarget(text, "/base", problem)) {
    checkTarget(*target);
  } else {
    check(!problem.empty());
  }
  return 0;
}
