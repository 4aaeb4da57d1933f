#include "order/frmPOStat.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/FormParts.h"
#include "qt/Grid.h"
#include "qt/LabelArray.h"

namespace veltaorder {

using velta::qt::createLabel;
using velta::qt::createValueBox;

frmPOStat::frmPOStat(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmPOStat"));
  setWindowTitle(QStringLiteral("Parts Order Status"));

  const QString caption = QStringLiteral("Label1");
  const QString value = QStringLiteral("lblStatus");

  struct Row {
    int captionIndex;
    int valueIndex;
    const char* text;
  };
  const Row left[] = {
      {2, 0, "PO Number"}, {1, 1, "Original Ticket #"}, {3, 2, "Order Date"}, {6, 3, "Bill To Account"}, {0, 4, "Ship To Account"},
  };
  auto* header = new QGridLayout;
  int row = 0;
  for (const Row& r : left) {
    header->addWidget(createLabel(this, caption, r.captionIndex, QString::fromLatin1(r.text)), row, 0);
    header->addWidget(createValueBox(this, value, r.valueIndex), row, 1);
    ++row;
  }
  header->addWidget(createLabel(this, caption, 4, QStringLiteral("Order Status Code")), 0, 3);
  header->addWidget(createValueBox(this, value, 5), 0, 4);
  header->addWidget(createLabel(this, caption, 5, QStringLiteral("Order Status Message")), 1, 3, 1, 2);
  QLabel* message = createValueBox(this, value, 6);
  velta::qt::makeTallBox(message, 4);
  header->addWidget(message, 2, 3, 3, 2);
  header->setColumnMinimumWidth(2, 24);
  header->setColumnStretch(4, 1);

  grdItem_ = velta::qt::createTitledGrid(
      this, QStringLiteral("grdItem"),
      {QStringLiteral("Mfg Code Resp"), QStringLiteral("Part # Resp"), QStringLiteral("MFG Code (Cust)"),
       QStringLiteral("Part (Cust)"), QStringLiteral("Description"), QStringLiteral("Qty Ord"),
       QStringLiteral("Qty Shp (Tot)"), QStringLiteral("Qty Bo"), QStringLiteral("BO ETA")},
      {1575, 2325, 2505, 1620, 3105, 1140, 1425, 1140, 1140});

  cmdOk_ = velta::qt::createOkButton(this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOk_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(header);
  layout->addWidget(grdItem_, 1);
  layout->addLayout(buttons);
  resize(1120, 520);
}

QLabel* frmPOStat::lblStatus(int index) const { return velta::qt::label(this, QStringLiteral("lblStatus"), index); }

void frmPOStat::reject() { accept(); }

}  // namespace veltaorder
