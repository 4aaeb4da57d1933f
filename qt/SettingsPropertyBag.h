// A property bag in an INI file through QSettings, one section per control.
//
// INI files keep no types, so every value carries a tag before its text:
//
//   [UserControl1]
//   xPONum=t:00123        a text, exactly as given (blanks, ":" and Latin-1 kept)
//   xPOSuccess=n:1        a number; "n:2.5" a fraction
//
// A value equal to its default is not stored (a stored one is removed), so a
// fresh control leaves its section empty.
#pragma once

#include <QSettings>

#include "qt/PropertyBag.h"

namespace velta::qt {

class SettingsPropertyBag : public PropertyBag {
 public:
  SettingsPropertyBag(const QString& fileName, const QString& section);

  QVariant readProperty(const QString& name, const QVariant& defaultValue) override;
  void writeProperty(const QString& name, const QVariant& value, const QVariant& defaultValue) override;

  // Writes what is pending to the file; false when it cannot be written.
  bool sync();

  // The tagged text of a value ("n:1234", "t:00123") and back; an untagged or
  // malformed text reads as none.
  static QString encode(const QVariant& value);
  static QVariant decode(const QString& stored);

 private:
  QSettings settings_;
  QString section_;
};

}  // namespace velta::qt
