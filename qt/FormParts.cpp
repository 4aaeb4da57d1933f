#include "qt/FormParts.h"

#include <QDialog>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "qt/Grid.h"
#include "qt/LabelArray.h"
#include "qt/Twips.h"

namespace velta::qt {

namespace {
constexpr int kValueBoxWidthTwips = 2400;
}  // namespace

QLabel* createValueBox(QWidget* parent, const QString& array, int index, bool whiteBackground) {
  QLabel* box = createLabel(parent, array, index);
  box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  box->setMinimumWidth(twipsToPixels(parent, kValueBoxWidthTwips));
  box->setTextInteractionFlags(Qt::TextSelectableByMouse);
  box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  if (whiteBackground) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    box->setPalette(palette);
    box->setAutoFillBackground(true);
  }
  return box;
}

void makeTallBox(QLabel* box, int lines) {
  box->setWordWrap(true);
  box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const int lineHeight = box->fontMetrics().lineSpacing();
  box->setMinimumHeight(lines * lineHeight + 2 * box->frameWidth() + 4);
}

QPushButton* createOkButton(QDialog* form) {
  auto* ok = new QPushButton(QStringLiteral("Ok"), form);
  ok->setObjectName(QStringLiteral("cmdOk"));
  ok->setDefault(true);
  ok->setAutoDefault(true);
  QObject::connect(ok, &QPushButton::clicked, form, &QDialog::accept);
  return ok;
}

Grid* createTitledGrid(QWidget* parent, const QString& name, const QStringList& titles, const QList<int>& widthsTwips) {
  auto* grid = new Grid(parent);
  grid->setObjectName(name);
  grid->setColumnTitles(titles);
  grid->setRows(1);
  for (int c = 0; c < widthsTwips.size() && c < grid->Cols(); ++c) grid->setColWidthTwips(c, widthsTwips[c]);
  return grid;
}

}  // namespace velta::qt
