// Pieces the result forms are built of, so that every form looks and behaves alike.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QDialog;
class QGridLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace velta::qt {

class Grid;

// A value label of an array: a sunken box the caller fills, plain text,
// selectable so that a user can copy an order number from it.
QLabel* createValueBox(QWidget* parent, const QString& array, int index, bool whiteBackground = false);
// A box several lines high whose text wraps (status and error messages).
void makeTallBox(QLabel* box, int lines);
// A control's title line: its label's font, bold and half as large again.
void makeTitle(QLabel* label);

// The form's "Ok": the default button; pressing it hides the form and ends its
// modal run as accepted.
QPushButton* createOkButton(QDialog* form);

// A grid named `name` with only its title row, the titles and the widths in twips.
Grid* createTitledGrid(QWidget* parent, const QString& name, const QStringList& titles, const QList<int>& widthsTwips);

// One caption and the value box beside it: `Label1(captionIndex)` and
// `<values>(valueIndex)`.
struct CaptionedValue {
  int captionIndex;
  int valueIndex;
  const char* caption;
};

// The header both order answer forms share: five captioned values down the
// left, a code at the top right and a message box under its caption. The
// captions form the array "Label1", the values the array `values`.
QGridLayout* createAnswerHeader(QDialog* form, const QString& values, const CaptionedValue (&left)[5],
                                const CaptionedValue& code, const CaptionedValue& message);
// The form's layout: the header, the grid under it, "Ok" at the bottom right.
void layOutAnswerForm(QDialog* form, QGridLayout* header, Grid* grid, QPushButton* ok);

}  // namespace velta::qt
