#include "qt/frmException.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/FormParts.h"
#include "qt/LabelArray.h"

namespace velta::qt {

frmException::frmException(ExceptionWording wording, QWidget* parent) : QDialog(parent) {
  const bool order = wording == ExceptionWording::Order;
  setObjectName(QStringLiteral("frmException"));
  setWindowTitle(QStringLiteral("Velta Exception"));

  QLabel* sentence = createLabel(this, QStringLiteral("Label1"),
                                 order ? QStringLiteral("Your Order Returned an Exception.")
                                       : QStringLiteral("Your inquiry returned an exception."));
  QFont bold = sentence->font();
  bold.setBold(true);
  sentence->setFont(bold);

  const QStringList captions = {
      QStringLiteral("Account Number"),
      order ? QStringLiteral("Order Number") : QStringLiteral("Inquiry Number"),
      order ? QStringLiteral("Order Date") : QStringLiteral("Inquiry Date"),
      QStringLiteral("Error Code"),
      QStringLiteral("Error Message"),
  };

  auto* values = new QGridLayout;
  for (int i = 0; i < 4; ++i) {
    values->addWidget(createLabel(this, QStringLiteral("Label2"), i, captions[i]), i, 0);
    values->addWidget(createValueBox(this, QStringLiteral("lblER"), i, true), i, 1);
  }
  values->setColumnStretch(1, 1);

  QLabel* messageBox = createValueBox(this, QStringLiteral("lblER"), 4, true);
  makeTallBox(messageBox, 2);

  cmdOk_ = createOkButton(this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOk_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(sentence);
  layout->addLayout(values);
  layout->addWidget(createLabel(this, QStringLiteral("Label2"), 4, captions[4]));
  layout->addWidget(messageBox);
  layout->addLayout(buttons);
  messageBox->setMinimumWidth(messageBox->minimumWidth() * 2);
}

QLabel* frmException::lblER(int index) const { return label(this, QStringLiteral("lblER"), index); }

void frmException::reject() { accept(); }

}  // namespace velta::qt
