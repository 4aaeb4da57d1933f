// The transcript: what a control showed, as plain text that a script can compare.
//
// Blocks in the order things happen. A block opens with a line beginning "[";
// every line inside a block is two blanks and one entry; every line ends with LF;
// all of it is ASCII.
//
//   [messagebox] icon=<none|critical|exclamation|information|question> buttons=<ok|okcancel|yesno|yesnocancel|retrycancel|abortretryignore> modal=<application|system> title=<title>
//     <one entry per line of the text: split at CR LF, LF and a lone CR; a final break adds no entry>
//   [form <form name>] caption=<caption>
//     <array>(<index>)=<caption>     labels of arrays: arrays in ASCII order of their names, then by index
//     <label>=<caption>              then the other labels, in ASCII order of their names
//     <grid>.cols=<title>TAB<title>...
//     <grid> <row>: <cell>TAB<cell>...      every row after the title row, exactly Cols() cells
//     <grid> <row>.style=group=<0|1> level=<n> bold=<0|1> back=<#rrggbb|none>
//   [event] <name>
//   [control <name>]
//     <labels as in a form>, then in ASCII order of their names:
//     <check box>=0|1   <combo box>=<text>   <date edit>=yyyy-mm-dd   <button>=enabled|disabled
//     lblXmit=visible|hidden   <progress bar>=visible|hidden   <progress bar>.value=<n>
//     <timer>=running|stopped   errText=<text>
//     then the grids as in a form
//   [property] <number|text> <name>=<value>
//
// Values are escaped: "\\" a backslash, "\t", "\r", "\n", "\xHH" (upper-case
// hex) for any other byte below 0x20, for 0x7F and for every byte from 0x80
// (the character's Latin-1 byte); a character above U+00FF (which no record
// holds) is "\u{HHHH}". Trailing blanks are kept; an empty value is nothing.
//
// A row's style line follows its row line and appears when the row is a group
// row, has a level other than 0, or has a bold or coloured cell. bold=1 when any
// cell of the row is bold; back= is the colour of the leftmost coloured cell
// (the code that colours rows colours whole rows).
//
// Only widgets with an object name appear, and none whose name begins "qt_"
// (Qt's own inner widgets).
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdio>
#include <functional>
#include <string_view>

#include "qt/Presenter.h"

class QTextStream;

namespace velta::qt {

class Grid;

// One value escaped as above.
// The grid that `object` is, made by this copy of the layer or by a control
// library's own copy; nullptr when it is no grid.
const Grid* asGrid(const QObject* object);

QString escapeValue(const QString& text);
QString escapeBytes(std::string_view bytes);

// The text split into lines at CR LF, LF and a lone CR; a final break adds no line.
QStringList messageLines(const QString& text);

QString messageBoxBlock(const MessageBox& box);
QString formBlock(const QDialog& form);
QString controlBlock(const QWidget& control, const QString& name);
QString eventBlock(const QString& name);
// "[property] number xPOSuccess=1" or "[property] text xPONum=00123", LF ended.
// A number is written in plain decimal, without a fraction when whole.
QString propertyLine(const QString& name, const QVariant& value);

// The entries of a grid (without the leading blanks): titles, rows, styles.
QStringList gridEntries(const Grid& grid);

// Writes every box and form as a transcript block and answers at once: a box
// with its default button (its first unless it names another), a form by
// pressing its "Ok" (cmdOk).
class TranscriptPresenter : public Presenter {
 public:
  explicit TranscriptPresenter(std::function<void(const QString&)> write);
  explicit TranscriptPresenter(FILE* out);
  explicit TranscriptPresenter(QTextStream& out);

  MessageAnswer showMessage(QWidget* owner, const MessageBox& box) override;
  void showForm(QWidget* owner, QDialog& form) override;

 private:
  std::function<void(const QString&)> write_;
};

// Closes a form the way its "Ok" button does: clicks cmdOk when there is one,
// else accepts it.
void pressOk(QDialog& form);

}  // namespace velta::qt
