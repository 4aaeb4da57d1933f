// Keyed index navigation over index blocks from the input, through an
// in-memory share: no crash, no hang, no unbounded memory, every failure an
// engine error; and many keys at once (KFindMany) give for each key exactly
// what KFind gives it alone, errors and notices included. A second mode builds a well-formed index from the input's keys
// with the bulk loader and checks every call against a plain sorted list.
//
// Input:
//   byte 0      mode and geometry: bit 7 well-formed mode; bits 0-1 Position;
//               bit 2 a LastRecord far beyond the file
//   bytes 1-2   LastRecord (raw mode); key length and fill target (well-formed mode)
//   byte 3      number of calls, at most 48
//   ...         one byte per call (low 3 bits: which call)
//   1 byte      length of the search key (at most 64), then the key
//   1 byte      nonzero: 544 bytes of a caller's buffer follow
//   the rest    raw mode: the data file; well-formed mode: the keys, key length bytes each
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/BaseState.h"
#include "base/EngineError.h"
#include "engine/BatchLookups.h"
#include "engine/KeyedIndex.h"
#include "engine/LogicalFile.h"
#include "engine/NavigationBuffer.h"
#include "engine/Registries.h"
#include "engine/cLogicalFile.h"
#include "engine/cSystem.h"
#include "fuzz/FuzzShare.h"
#include "platform/MemoryShare.h"
#include "platform/ShareAccess.h"
#include "tools/sample/IndexBuilder.h"

namespace {

using velta::LogicalFileHandle;

void check(bool condition) {
  if (!condition) std::abort();
}

class Input {
 public:
  Input(const uint8_t* data, size_t size) : bytes_(reinterpret_cast<const char*>(data), size) {}
  uint8_t byte() { return at_ < bytes_.size() ? static_cast<uint8_t>(bytes_[at_++]) : 0; }
  std::string take(std::size_t n) {
    const std::string part = bytes_.substr(std::min(at_, bytes_.size()), n);
    at_ += part.size();
    return part;
  }
  std::string rest() { return take(bytes_.size()); }

 private:
  std::string bytes_;
  std::size_t at_ = 0;
};

struct Script {
  std::vector<uint8_t> calls;
  std::string key;
  std::string buffer;  // empty: none given
};

LogicalFileHandle openIndex(const std::string& bytes, int32_t position, int32_t lastRecord) {
  static const bool quiet = [] {
    velta::baseState().notice = [](const velta::Notice&) {};  // the index-range notice
    return true;
  }();
  (void)quiet;
  fuzzShare().put("D1/IDX", bytes);
  velta::createRegistries();
  std::string path = "\\\\SRV\\HBTSLNK\\D1\\IDX";
  int32_t last = 0;
  auto file = velta::PhysLogicalOpen(path, "I", velta::kBlockSize, last);
  check(file != nullptr);
  file->Position = position;
  file->LastRecord = lastRecord;
  return file;
}

// What one lookup gave, for comparing a key looked up alone with the same key among many.
std::string outcome(const velta::KeyAnswer& a) {
  std::string text;
  if (a.error) {
    try {
      std::rethrow_exception(a.error);
    } catch (const velta::EngineError& e) {
      text = "error " + std::to_string(e.number()) + e.source() + e.description();
    }
  } else {
    text = std::to_string(a.Rec) + "|" + a.Key + "|" + a.Buff;
  }
  for (const auto& n : a.notices) text += "|" + n.text;
  return text;
}

void compareBatch(const LogicalFileHandle& file, const std::vector<std::string>& keys) {
  std::vector<velta::KeyAnswer> alone(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    velta::KeyAnswer& a = alone[i];
    a.Key = keys[i];
    velta::baseState().notice = [&a](const velta::Notice& n) { a.notices.push_back(n); };
    try {
      velta::KFind(file, a.Buff, a.Key, a.Rec);
    } catch (const velta::EngineError&) {
      a.error = std::current_exception();
    }
  }
  velta::baseState().notice = [](const velta::Notice&) {};
  const auto together = velta::KFindMany(file, keys);
  check(together.size() == keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) check(outcome(together[i]) == outcome(alone[i]));
}

// Raw mode: any sequence of calls on any blocks ends in a result or an engine error.
void runRaw(const LogicalFileHandle& file, const Script& script) {
  std::string buff, key;
  int32_t rec = 0;
  for (const uint8_t call : script.calls) {
    try {
      switch (call & 7) {
        case 0: velta::KFind(file, buff, key = script.key, rec); break;
        case 1: velta::KFind(file, buff, key = "", rec); break;
        case 2: velta::KNext(file, buff, key, rec); break;
        case 3: velta::KPrev(file, buff, key, rec); break;
        case 4: velta::KLast(file, buff, key, rec); break;
        case 5: velta::KCount(file); break;
        case 6: velta::KLength(file); break;
        case 7:
          if (!script.buffer.empty()) buff = script.buffer;
          break;
      }
      // A call that ends normally leaves a whole buffer.
      if ((call & 7) <= 4) check(buff.size() >= velta::NavigationBuffer::kLength);
    } catch (const velta::EngineError&) {
    }
  }
}

// Well-formed mode: the calls must agree with a cursor on the sorted entries,
// position n standing for the sentinel.
void runWellFormed(const LogicalFileHandle& file, const std::vector<velta::sample::IndexEntry>& entries,
                   int keyLength, const Script& script) {
  const std::string top(static_cast<std::size_t>(keyLength), '\xFF');
  const auto n = static_cast<int64_t>(entries.size());
  auto keyAt = [&](int64_t p) { return p < n ? entries[static_cast<std::size_t>(p)].key : top; };
  auto recAt = [&](int64_t p) { return p < n ? entries[static_cast<std::size_t>(p)].record : 0; };

  check(velta::KCount(file) == n);
  check(velta::KLength(file) == keyLength);
  std::string buff, key;
  int32_t rec = 0;
  int64_t at = -1;  // no cursor yet
  for (const uint8_t call : script.calls) {
    switch (call & 7) {
      case 0:
      case 1: {
        std::string wanted = (call & 7) == 0 ? script.key : std::string();
        wanted.resize(static_cast<std::size_t>(keyLength), '\0');
        const auto it = std::lower_bound(entries.begin(), entries.end(), wanted,
                                         [](const auto& e, const std::string& k) { return e.key < k; });
        at = it - entries.begin();
        velta::KFind(file, buff, key = (call & 7) == 0 ? script.key : std::string(), rec);
        check(key == keyAt(at));
        check(rec == (wanted == keyAt(at) ? recAt(at) : -recAt(at)));
        break;
      }
      case 2:
      case 5:
        if (at < 0) break;
        velta::KNext(file, buff, key, rec);
        if (at < n) ++at;
        else check(rec == 0 && key == top);
        check(key == keyAt(at) && rec == recAt(at));
        break;
      case 3:
      case 6: {
        if (at < 0) break;
        const std::string before = key;
        velta::KPrev(file, buff, key, rec);
        if (at == 0) {
          check(rec == 0 && key == before);
        } else {
          --at;
          check(key == keyAt(at) && rec == recAt(at));
        }
        break;
      }
      case 4:
      case 7:
        velta::KLast(file, buff, key, rec);
        at = n == 0 ? 0 : n - 1;
        check(key == keyAt(at) && rec == recAt(at));
        break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input input(data, size);
  const uint8_t mode = input.byte();
  const uint8_t first = input.byte();
  const uint8_t second = input.byte();
  Script script;
  const int calls = std::min<int>(input.byte(), 48);
  for (int i = 0; i < calls; ++i) script.calls.push_back(input.byte());
  script.key = input.take(std::min<uint8_t>(input.byte(), 64));
  if (input.byte() != 0) script.buffer = input.take(velta::NavigationBuffer::kLength);

  if ((mode & 0x80) == 0) {
    const int32_t position = mode & 3;
    const int32_t lastRecord = (mode & 4) ? 0x7FFFFFFF : first * 256 + second;
    const auto file = openIndex(input.rest(), position, lastRecord);
    runRaw(file, script);
    compareBatch(file, {script.key, "", script.key + "\x01", std::string(64, '\xFF'), script.key.empty() ? std::string() : script.key.substr(1)});
    return 0;
  }

  const int keyLength = 1 + first % 8;
  const bool duplicates = (second & 0x80) != 0;
  const int fillTarget = 2 + second % 16;
  std::vector<velta::sample::IndexEntry> entries;
  const std::string keys = input.rest();
  for (std::size_t at = 0; at + keyLength <= keys.size(); at += static_cast<std::size_t>(keyLength)) {
    std::string key = keys.substr(at, static_cast<std::size_t>(keyLength));
    if (key == std::string(key.size(), '\xFF')) continue;  // the sentinel's key
    entries.push_back({key, 0});
  }
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.key < b.key; });
  if (!duplicates) {
    entries.erase(std::unique(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.key == b.key; }),
                  entries.end());
  }
  for (std::size_t i = 0; i < entries.size(); ++i) entries[i].record = static_cast<int32_t>(i) + 1;

  std::vector<std::string> blocks;
  try {
    blocks = velta::sample::buildIndex({.keyLength = keyLength, .duplicateKeys = duplicates, .fillTarget = fillTarget},
                                       entries);
  } catch (const velta::sample::IndexBuildError&) {
    return 0;  // deeper than 7 levels, or more blocks than the format holds
  }
  std::string bytes;
  for (const auto& b : blocks) bytes += b;
  runWellFormed(openIndex(bytes, 0, static_cast<int32_t>(blocks.size()) - 1), entries, keyLength, script);
  return 0;
}
