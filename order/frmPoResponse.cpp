#include "order/frmPoResponse.h"

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

frmPoResponse::frmPoResponse(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmPoResponse"));
  setWindowTitle(QStringLiteral("Parts Order Response"));

  const QString caption = QStringLiteral("Label1");
  const QString value = QStringLiteral("lblSearch");

  // Left column: caption index, value index, caption text, top to bottom.
  struct Row {
    int captionIndex;
    int valueIndex;
    const char* text;
  };
  const Row left[] = {
      {6, 3, "PO Number"}, {2, 2, "PO Date"}, {1, 1, "Dist. order Number"}, {0, 0, "Account "}, {7, 4, "Backorder Code"},
  };
  auto* header = new QGridLayout;
  int row = 0;
  for (const Row& r : left) {
    header->addWidget(createLabel(this, caption, r.captionIndex, QString::fromLatin1(r.text)), row, 0);
    header->addWidget(createValueBox(this, value, r.valueIndex), row, 1);
    ++row;
  }
  header->addWidget(createLabel(this, caption, 3, QStringLiteral("PO Status Code")), 0, 3);
  header->addWidget(createValueBox(this, value, 5), 0, 4);
  header->addWidget(createLabel(this, caption, 4, QStringLiteral("PO Status Message")), 1, 3, 1, 2);
  QLabel* message = createValueBox(this, value, 6);
  velta::qt::makeTallBox(message, 4);
  header->addWidget(message, 2, 3, 3, 2);
  header->setColumnMinimumWidth(2, 24);
  header->setColumnStretch(4, 1);

  grdItem_ = velta::qt::createTitledGrid(
      this, QStringLiteral("grdItem"),
      {QStringLiteral("Line Ord."), QStringLiteral("Part Ordered"), QStringLiteral("Qty Ord."), QStringLiteral("Line Shp."),
       QStringLiteral("Part Shipped"), QStringLiteral("Qty Shp."), QStringLiteral("Qty BO"), QStringLiteral("Description"),
       QStringLiteral("Alt Shp Reason"), QStringLiteral("Bo Code"), QStringLiteral("Avail Date"), QStringLiteral("Location")},
      {780, 1920, 870, 885, 1920, 960, 960, 1920, 2235, 1410, 960, 1980});

  cmdOk_ = velta::qt::createOkButton(this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOk_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(header);
  layout->addWidget(grdItem_, 1);
  layout->addLayout(buttons);
  resize(1180, 520);
}

QLabel* frmPoResponse::lblSearch(int index) const { return velta::qt::label(this, QStringLiteral("lblSearch"), index); }

void frmPoResponse::reject() { accept(); }

}  // namespace veltaorder
