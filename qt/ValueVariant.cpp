#include "qt/ValueVariant.h"

#include <QDate>
#include <cmath>
#include <limits>

#include "base/Calendar.h"
#include "qt/Latin1.h"

namespace velta::qt {

namespace {

// Whole numbers up to 2^53 are exact in a double, so they may go to qlonglong.
constexpr double kLargestExactInteger = 9007199254740992.0;

QVariant numberVariant(double number) {
  if (std::isfinite(number) && number == std::trunc(number) && !(number == 0 && std::signbit(number))) {
    if (number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max()) {
      return QVariant(static_cast<int>(number));
    }
    if (std::fabs(number) <= kLargestExactInteger) return QVariant(static_cast<qlonglong>(number));
  }
  return QVariant(number);
}

}  // namespace

QVariant toVariant(const velta::Value& value) {
  switch (value.kind()) {
    case velta::Value::Kind::Empty: return {};
    case velta::Value::Kind::Number: return numberVariant(value.number());
    case velta::Value::Kind::Text: return QVariant(fromLatin1(value.text()));
    case velta::Value::Kind::Date: {
      const velta::Date date = value.date();
      return QVariant(QDate(velta::yearOf(date), velta::monthOf(date), velta::dayOf(date)));
    }
  }
  return {};
}

velta::Value toValue(const QVariant& variant) {
  if (!variant.isValid()) return {};
  switch (variant.typeId()) {
    case QMetaType::Bool: return velta::Value(variant.toBool() ? -1 : 0);
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong: return velta::Value(static_cast<double>(variant.toLongLong()));
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong: return velta::Value(static_cast<double>(variant.toULongLong()));
    case QMetaType::Double:
    case QMetaType::Float: return velta::Value(variant.toDouble());
    case QMetaType::QString: return velta::Value(toLatin1(variant.toString()));
    case QMetaType::QByteArray: {
      const QByteArray bytes = variant.toByteArray();
      return velta::Value(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
    }
    case QMetaType::QDate: {
      const QDate date = variant.toDate();
      if (auto made = velta::makeDate(date.year(), date.month(), date.day())) return velta::Value(*made);
      return {};
    }
    default: return velta::Value(toLatin1(variant.toString()));
  }
}

}  // namespace velta::qt
