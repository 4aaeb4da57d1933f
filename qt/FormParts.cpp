#include "qt/FormParts.h"

#include <QDialog>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

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
  // A selectable label makes its text control with its first text: made
  // now, with the form, filling the form later costs only the texts.
  box->setText(QStringLiteral(" "));
  box->setText(QString());
  box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // A form made as small as it goes still shows a whole line in the box.
  box->setMinimumHeight(box->fontMetrics().height() + 2 * box->frameWidth());
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

void makeTitle(QLabel* label) {
  QFont font = label->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.5);
  label->setFont(font);
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

QGridLayout* createAnswerHeader(QDialog* form, const QString& values, const CaptionedValue (&left)[5],
                                const CaptionedValue& code, const CaptionedValue& message) {
  const QString caption = QStringLiteral("Label1");
  auto* header = new QGridLayout;
  int row = 0;
  for (const CaptionedValue& r : left) {
    header->addWidget(createLabel(form, caption, r.captionIndex, QString::fromLatin1(r.caption)), row, 0);
    header->addWidget(createValueBox(form, values, r.valueIndex), row, 1);
    ++row;
  }
  header->addWidget(createLabel(form, caption, code.captionIndex, QString::fromLatin1(code.caption)), 0, 3);
  header->addWidget(createValueBox(form, values, code.valueIndex), 0, 4);
  header->addWidget(createLabel(form, caption, message.captionIndex, QString::fromLatin1(message.caption)), 1, 3, 1, 2);
  QLabel* messageBox = createValueBox(form, values, message.valueIndex);
  makeTallBox(messageBox, 4);
  header->addWidget(messageBox, 2, 3, 3, 2);
  header->setColumnMinimumWidth(2, 24);
  header->setColumnStretch(4, 1);
  return header;
}

void layOutAnswerForm(QDialog* form, QGridLayout* header, Grid* grid, QPushButton* ok) {
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);

  auto* layout = new QVBoxLayout(form);
  layout->addLayout(header);
  layout->addWidget(grid, 1);
  layout->addLayout(buttons);
}

}  // namespace velta::qt
