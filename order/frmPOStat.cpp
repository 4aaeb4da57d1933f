#include "order/frmPOStat.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "qt/FormParts.h"
#include "qt/Grid.h"
#include "qt/LabelArray.h"

namespace veltaorder {

frmPOStat::frmPOStat(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmPOStat"));
  setWindowTitle(QStringLiteral("Parts Order Status"));

  const velta::qt::CaptionedValue left[] = {
      {2, 0, "PO Number"},       {1, 1, "Original Ticket #"}, {3, 2, "Order Date"},
      {6, 3, "Bill To Account"}, {0, 4, "Ship To Account"},
  };
  QGridLayout* header =
      velta::qt::createAnswerHeader(this, QStringLiteral("lblStatus"), left, {4, 5, "Order Status Code"}, {5, 6, "Order Status Message"});

  grdItem_ = velta::qt::createTitledGrid(
      this, QStringLiteral("grdItem"),
      {QStringLiteral("Mfg Code Resp"), QStringLiteral("Part # Resp"), QStringLiteral("MFG Code (Cust)"),
       QStringLiteral("Part (Cust)"), QStringLiteral("Description"), QStringLiteral("Qty Ord"),
       QStringLiteral("Qty Shp (Tot)"), QStringLiteral("Qty Bo"), QStringLiteral("BO ETA")},
      {1575, 2325, 2505, 1620, 3105, 1140, 1425, 1140, 1140});

  cmdOk_ = velta::qt::createOkButton(this);
  velta::qt::layOutAnswerForm(this, header, grdItem_, cmdOk_);
  resize(1120, 520);
}

QLabel* frmPOStat::lblStatus(int index) const { return velta::qt::label(this, QStringLiteral("lblStatus"), index); }

void frmPOStat::reject() { accept(); }

}  // namespace veltaorder
