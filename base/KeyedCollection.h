// The keyed collection behind cLinks, cOpenFiles, cLogicalFiles and clnLines.
//
// Elements keep their insertion order; a key is optional and compares without
// regard to letter case. Errors go to the caller:
//   Add with a key already present   457 "This key is already associated with an element of this collection"
//   Item/Remove with an absent key   5   "Invalid procedure call or argument"
//   Item/Remove at a bad position    9   "Subscript out of range"
//
//   KeyedCollection<cLink> links("cLinks");
//   links.Add(std::make_shared<cLink>(...), "VNDRI");
//   links.Item("vndri");    // the same element
//   links.Item(1);          // by 1-based position
//   for (const auto& link : links) ...   // NewEnum: insertion order
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/EngineError.h"
#include "base/TextUtilities.h"

namespace velta {

template <typename T>
class KeyedCollection {
 public:
  using Element = std::shared_ptr<T>;

 private:
  struct Entry {
    std::string key;  // upper-cased; empty without a key
    Element element;
  };

 public:

  // `source` names the collection in its errors.
  explicit KeyedCollection(std::string source) : source_(std::move(source)) {}

  // Adds under `sKey` when it is not empty, else without a key; returns the element.
  Element Add(Element element, std::string_view sKey = {}) {
    const std::string folded = upperAscii(sKey);
    if (!sKey.empty() && byKey_.count(folded)) throw EngineError::general(err::DuplicateKey, source_);
    auto entry = std::make_shared<Entry>(Entry{folded, std::move(element)});
    order_.push_back(entry);
    if (!sKey.empty()) byKey_.emplace(folded, entry);
    return entry->element;
  }

  const Element& Item(int32_t position) const { return order_[checkedPosition(position)]->element; }
  const Element& Item(std::string_view key) const { return checkedKey(key)->element; }

  // The element under `key`, or nullptr without an error, for lookups that may find nothing.
  Element Find(std::string_view key) const {
    const auto it = byKey_.find(upperAscii(key));
    return it == byKey_.end() ? nullptr : it->second->element;
  }

  int32_t Count() const { return static_cast<int32_t>(order_.size()); }

  void Remove(int32_t position) { erase(order_[checkedPosition(position)]); }
  void Remove(std::string_view key) { erase(checkedKey(key)); }

  class Iterator {
   public:
    using Inner = typename std::vector<std::shared_ptr<Entry>>::const_iterator;
    explicit Iterator(Inner it) : it_(it) {}
    const Element& operator*() const { return (*it_)->element; }
    Iterator& operator++() {
      ++it_;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return it_ != other.it_; }

   private:
    Inner it_;
  };
  Iterator begin() const { return Iterator(order_.begin()); }
  Iterator end() const { return Iterator(order_.end()); }

 private:
  std::shared_ptr<Entry> checkedKey(std::string_view key) const {
    const auto it = key.empty() ? byKey_.end() : byKey_.find(upperAscii(key));
    if (it == byKey_.end()) throw EngineError::general(err::InvalidCall, source_);
    return it->second;
  }
  std::size_t checkedPosition(int32_t position) const {
    if (position < 1 || position > Count()) throw EngineError::general(err::SubscriptOutOfRange, source_);
    return static_cast<std::size_t>(position - 1);
  }
  void erase(std::shared_ptr<Entry> entry) {
    if (!entry->key.empty()) byKey_.erase(entry->key);
    order_.erase(std::find(order_.begin(), order_.end(), entry));
  }

  std::string source_;
  std::vector<std::shared_ptr<Entry>> order_;
  std::unordered_map<std::string, std::shared_ptr<Entry>> byKey_;
};

}  // namespace velta
