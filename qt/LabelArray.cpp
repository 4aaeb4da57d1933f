#include "qt/LabelArray.h"

#include <QRegularExpression>

namespace velta::qt {

QString arrayLabelName(const QString& array, int index) {
  return array + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

bool parseArrayLabelName(const QString& name, QString* array, int* index) {
  static const QRegularExpression pattern(QStringLiteral("^(.+)\\((0|[1-9][0-9]{0,8})\\)$"));
  const auto match = pattern.match(name);
  if (!match.hasMatch()) return false;
  if (array) *array = match.captured(1);
  if (index) *index = match.captured(2).toInt();
  return true;
}

QLabel* createLabel(QWidget* parent, const QString& array, int index, const QString& text) {
  return createLabel(parent, arrayLabelName(array, index), text);
}

QLabel* createLabel(QWidget* parent, const QString& name, const QString& text) {
  auto* created = new QLabel(text, parent);
  created->setObjectName(name);
  created->setTextFormat(Qt::PlainText);
  return created;
}

QLabel* label(const QWidget* parent, const QString& array, int index) {
  if (!parent) return nullptr;
  return parent->findChild<QLabel*>(arrayLabelName(array, index));
}

}  // namespace velta::qt
