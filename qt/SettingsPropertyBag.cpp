#include "qt/SettingsPropertyBag.h"

#include <QLocale>

#include "qt/ValueVariant.h"

namespace velta::qt {

namespace {
const QString kNumberTag = QStringLiteral("n:");
const QString kTextTag = QStringLiteral("t:");
}  // namespace

SettingsPropertyBag::SettingsPropertyBag(const QString& fileName, const QString& section)
    : settings_(fileName, QSettings::IniFormat), section_(section) {}

QString SettingsPropertyBag::encode(const QVariant& value) {
  if (isNumberProperty(value)) {
    switch (value.typeId()) {
      case QMetaType::Double:
      case QMetaType::Float:
        // The shortest text that reads back as the same double.
        return kNumberTag + QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
      case QMetaType::UInt:
      case QMetaType::ULong:
      case QMetaType::ULongLong:
      case QMetaType::UShort: return kNumberTag + QString::number(value.toULongLong());
      default: return kNumberTag + QString::number(value.toLongLong());
    }
  }
  return kTextTag + value.toString();
}

QVariant SettingsPropertyBag::decode(const QString& stored) {
  if (stored.startsWith(kTextTag)) return QVariant(stored.mid(kTextTag.size()));
  if (!stored.startsWith(kNumberTag)) return {};
  const QString digits = stored.mid(kNumberTag.size());
  bool ok = false;
  const qlonglong whole = digits.toLongLong(&ok);
  if (ok) return toVariant(velta::Value(static_cast<double>(whole)));
  const double number = digits.toDouble(&ok);
  if (!ok) return {};
  return toVariant(velta::Value(number));
}

QVariant SettingsPropertyBag::readProperty(const QString& name, const QVariant& defaultValue) {
  const QString key = section_ + QLatin1Char('/') + name;
  const QVariant stored = settings_.value(key);
  // A value that is not a tagged text (edited by hand, or a list) is not ours.
  if (stored.typeId() != QMetaType::QString) return defaultValue;
  const QVariant value = decode(stored.toString());
  return value.isValid() ? value : defaultValue;
}

void SettingsPropertyBag::writeProperty(const QString& name, const QVariant& value, const QVariant& defaultValue) {
  const QString key = section_ + QLatin1Char('/') + name;
  if (sameProperty(value, defaultValue)) {
    settings_.remove(key);
  } else {
    settings_.setValue(key, encode(value));
  }
}

bool SettingsPropertyBag::sync() {
  settings_.sync();
  return settings_.status() == QSettings::NoError;
}

}  // namespace velta::qt
