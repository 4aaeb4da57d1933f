// Label arrays: numbered labels that share one name ("lblSearch" 0 to 6).
//
// Each label of an array carries the object name "<array>(<index>)", so that
// code, tests and the transcript find it by name; single labels carry their
// plain name ("Label4").
//
//   createLabel(form, "lblSearch", 3);        // objectName "lblSearch(3)"
//   label(form, "lblSearch", 3)->setText(po);
#pragma once

#include <QLabel>
#include <QString>

namespace velta::qt {

// "lblSearch(3)".
QString arrayLabelName(const QString& array, int index);
// Splits "lblSearch(3)" into "lblSearch" and 3; false for any other name.
bool parseArrayLabelName(const QString& name, QString* array, int* index);

// A new label of an array, child of `parent`.
QLabel* createLabel(QWidget* parent, const QString& array, int index, const QString& text = {});
// A new single label, child of `parent`.
QLabel* createLabel(QWidget* parent, const QString& name, const QString& text = {});
// The label of the array among parent's descendants; none when missing.
QLabel* label(const QWidget* parent, const QString& array, int index);

}  // namespace velta::qt
