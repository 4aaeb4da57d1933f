// The core's tagged value as a QVariant and back, without loss.
//
//   toVariant(Value(1234))      // QVariant(int 1234)
//   toVariant(Value(2.5))       // QVariant(double 2.5)
//   toVariant(Value("00123"))   // QVariant(QString "00123"), bytes as Latin-1
//   toValue(QVariant())         // Value() (empty)
#pragma once

#include <QVariant>

#include "base/Value.h"

namespace velta::qt {

// Empty gives an invalid QVariant; a whole number within 32 bits an int, a
// larger whole number a qlonglong, any other number a double; a text a QString
// (Latin-1); a date a QDate.
QVariant toVariant(const velta::Value& value);
// An invalid QVariant gives empty; integers, floating point and bool give a
// number (bool as the runtime's -1 and 0); QString a text (Latin-1; a character above U+00FF becomes "?");
// QByteArray a text of its bytes; QDate a date; anything else its text.
velta::Value toValue(const QVariant& variant);

}  // namespace velta::qt
