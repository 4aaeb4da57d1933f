#include "tools/velta-workstation/OrderNumber.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace velta::workstation {

namespace {

QString pattern(int least) {
  return QStringLiteral("[0-9]{%1,%2}").arg(least).arg(kOrderNumberDigits);
}

}  // namespace

bool isOrderNumber(const QString& text) {
  static const QRegularExpression whole(QRegularExpression::anchoredPattern(pattern(1)));
  return whole.match(text).hasMatch();
}

QValidator* orderNumberValidator(QObject* parent) {
  return new QRegularExpressionValidator(QRegularExpression(pattern(0)), parent);
}

}  // namespace velta::workstation
