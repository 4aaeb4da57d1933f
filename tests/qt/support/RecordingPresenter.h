// A presenter for tests: records every box and form and answers at once.
//
//   RecordingPresenter presenter;
//   control.setPresenter(&presenter);
//   control.setPO();
//   QCOMPARE(presenter.boxes.size(), 1);
//   QCOMPARE(presenter.boxes[0].title, QString("Attention"));
//   QCOMPARE(presenter.forms[0].labels["lblSearch(3)"], QString("1234"));
#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

#include "qt/Presenter.h"

namespace velta::qt {

class Grid;

// One row of a grid as it stood when the form was shown.
struct GridRowSnapshot {
  QStringList cells;
  bool group = false;
  int level = 0;
  QList<bool> bold;        // per cell
  QList<QColor> back;      // per cell, invalid = none
};

struct GridSnapshot {
  QStringList titles;
  QList<int> widths;       // pixels
  QList<GridRowSnapshot> rows;  // from row 1
};

GridSnapshot snapshotOf(const Grid& grid);

struct FormSnapshot {
  QString name;      // the form's object name
  QString caption;
  QWidget* owner = nullptr;
  bool modal = false;  // the form was modal or shown as such
  QMap<QString, QString> labels;       // object name -> text
  QMap<QString, GridSnapshot> grids;   // object name -> contents
  QString block;                       // its transcript block
};

struct ShownBox {
  MessageBox box;
  QWidget* owner = nullptr;
};

class RecordingPresenter : public Presenter {
 public:
  MessageAnswer showMessage(QWidget* owner, const MessageBox& box) override;
  void showForm(QWidget* owner, QDialog& form) override;

  QList<ShownBox> boxes;
  QList<FormSnapshot> forms;
  // The order in which boxes and forms came: "box" or "form <name>".
  QStringList sequence;

  // Answers to give, first to last; when none is left a box gets its default answer.
  QList<MessageAnswer> answers;
  // Runs while a form is "shown", before it is closed (for example to check
  // that the caller's state is what it must be at that moment).
  std::function<void(QDialog&)> onForm;
  // Runs while a box is "shown".
  std::function<void(const MessageBox&)> onBox;

  void clear();
};

}  // namespace velta::qt
