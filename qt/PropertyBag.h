/// \file
/// Where a host keeps a control's persisted properties between sessions.
///
/// Values are QVariants holding a number (int, qlonglong or double) or a text
/// (QString); a bag gives back the kind it was given, so that "00123" stays a
/// text and 123 a number.
///
/// \code
///   bag.writeProperty("xPONum", control.xPONum(), 0);
///   control.setXPONum(bag.readProperty("xPONum", 0));
/// \endcode
#pragma once

#include <QString>
#include <QVariant>

namespace velta::qt {

/// Where a host keeps the persisted properties of a control; see readProperties() and
/// writeProperties() of the controls.
class PropertyBag {
 public:
  virtual ~PropertyBag() = default;

  /// The saved value, or `defaultValue` when the bag holds none for `name`.
  virtual QVariant readProperty(const QString& name, const QVariant& defaultValue) = 0;
  /// Saves the value; a value equal to its default need not be kept.
  virtual void writeProperty(const QString& name, const QVariant& value, const QVariant& defaultValue) = 0;
};

/// Numbers are the integer and floating-point kinds; texts are QString.
inline bool isNumberProperty(const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float: return true;
    default: return false;
  }
}

/// Same kind and same value: 0 and "0" differ, 1 and 1.0 do not.
inline bool sameProperty(const QVariant& a, const QVariant& b) {
  if (isNumberProperty(a) || isNumberProperty(b)) {
    return isNumberProperty(a) && isNumberProperty(b) && a.toDouble() == b.toDouble();
  }
  if (!a.isValid() || !b.isValid()) return a.isValid() == b.isValid();
  return a.typeId() == b.typeId() && a == b;
}

}  // namespace velta::qt
