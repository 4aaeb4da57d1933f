#include "support/RecordingPresenter.h"

#include <QLabel>

#include "qt/Grid.h"
#include "qt/Transcript.h"

namespace velta::qt {

GridSnapshot snapshotOf(const Grid& grid) {
  GridSnapshot snapshot;
  snapshot.titles = grid.columnTitles();
  for (int c = 0; c < grid.Cols(); ++c) snapshot.widths << grid.colWidthPixels(c);
  for (int r = 1; r < grid.Rows(); ++r) {
    GridRowSnapshot row;
    row.group = grid.isSubtotal(r);
    row.level = grid.rowOutlineLevel(r);
    for (int c = 0; c < grid.Cols(); ++c) {
      row.cells << grid.TextMatrix(r, c);
      row.bold << grid.cellFontBold(r, c);
      row.back << grid.cellBackColor(r, c);
    }
    snapshot.rows << row;
  }
  return snapshot;
}

MessageAnswer RecordingPresenter::showMessage(QWidget* owner, const MessageBox& box) {
  boxes << ShownBox{box, owner};
  sequence << QStringLiteral("box");
  if (onBox) onBox(box);
  return answers.isEmpty() ? defaultAnswer(box) : answers.takeFirst();
}

void RecordingPresenter::showForm(QWidget* owner, QDialog& form) {
  FormSnapshot snapshot;
  snapshot.name = form.objectName();
  snapshot.caption = form.windowTitle();
  snapshot.owner = owner;
  snapshot.modal = true;
  for (QLabel* label : form.findChildren<QLabel*>()) {
    if (!label->objectName().isEmpty()) snapshot.labels.insert(label->objectName(), label->text());
  }
  for (QWidget* widget : form.findChildren<QWidget*>()) {
    const Grid* grid = asGrid(widget);
    if (grid && !grid->objectName().isEmpty()) snapshot.grids.insert(grid->objectName(), snapshotOf(*grid));
  }
  snapshot.block = formBlock(form);
  forms << snapshot;
  sequence << QStringLiteral("form ") + snapshot.name;
  if (onForm) onForm(form);
  pressOk(form);
}

void RecordingPresenter::clear() {
  boxes.clear();
  forms.clear();
  sequence.clear();
  answers.clear();
}

}  // namespace velta::qt
