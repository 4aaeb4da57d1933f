/// \file
/// A property bag in memory, for tests and for hosts that persist on their own.
#pragma once

#include <QMap>

#include "qt/PropertyBag.h"

namespace velta::qt {

/// A property bag that keeps the values in memory, as they were given.
class MemoryPropertyBag : public PropertyBag {
 public:
  QVariant readProperty(const QString& name, const QVariant& defaultValue) override {
    auto it = values_.constFind(name);
    return it == values_.constEnd() ? defaultValue : *it;
  }
  void writeProperty(const QString& name, const QVariant& value, const QVariant& defaultValue) override {
    if (sameProperty(value, defaultValue)) {
      values_.remove(name);
    } else {
      values_.insert(name, value);
    }
  }

  /// What the bag holds: only values that differ from their defaults.
  const QMap<QString, QVariant>& values() const { return values_; }
  /// Whether the bag holds a value for `name`.
  bool contains(const QString& name) const { return values_.contains(name); }
  /// Forgets every value.
  void clear() { values_.clear(); }

 private:
  QMap<QString, QVariant> values_;
};

}  // namespace velta::qt
