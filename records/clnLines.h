// Every active product line of the business system, loaded once when the
// collection is created, keyed by the decimal text of the line number.
//
// Active: a "LINEL" record whose status ("J" at 1) is at least 1 and whose
// line number ("C" at 3) is below 1000. Creation passes no error over: an
// engine error, or a second active record with the same line number (457),
// ends it.
//
//   clnLines lines;
//   lines.Count();
//   lines.Item("12")->Alpha_Line;     // by key
//   lines.Item(1);                     // by 1-based position
//   for (const auto& line : lines) ...  // in file order
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "base/KeyedCollection.h"
#include "records/clsLines.h"

namespace velta {

class clnLines {
 public:
  using Element = std::shared_ptr<clsLines>;

  // Loads every active line through the shared engine (91 when there is none).
  clnLines();

  // Adds under `sKey` when it is not empty, else without a key; returns the element.
  Element Add(Element cLines, std::string_view sKey = {}) { return mCol.Add(std::move(cLines), sKey); }
  const Element& Item(int32_t position) const { return mCol.Item(position); }
  const Element& Item(std::string_view key) const { return mCol.Item(key); }
  int32_t Count() const { return mCol.Count(); }
  void Remove(int32_t position) { mCol.Remove(position); }
  void Remove(std::string_view key) { mCol.Remove(key); }
  // NewEnum: the elements in insertion order.
  auto begin() const { return mCol.begin(); }
  auto end() const { return mCol.end(); }

 private:
  KeyedCollection<clsLines> mCol{"clnLines"};
};

}  // namespace velta
