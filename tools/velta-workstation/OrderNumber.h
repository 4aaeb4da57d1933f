// The purchase-order numbers the window loads: 1 to 10 digits.
//
// The number is the name of the order's file in the dealer directory, and
// the business system's file names are at most ten characters (the
// directory records hold ten); its order numbers are digits (the sample's
// are six). The order control takes any plain file name, but a blank, a
// letter or a path in the field is a slip of the clerk's, not an order: the
// window says so before the control is asked.
//
//   isOrderNumber("100231");   // true
//   isOrderNumber("");         // false: "Load" stays disabled
#pragma once

#include <QString>

class QObject;
class QValidator;

namespace velta::workstation {

inline constexpr int kOrderNumberDigits = 10;

bool isOrderNumber(const QString& text);

// Lets a field take digits only, at most kOrderNumberDigits of them.
QValidator* orderNumberValidator(QObject* parent);

}  // namespace velta::workstation
