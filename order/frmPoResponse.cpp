#include "order/frmPoResponse.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "qt/FormParts.h"
#include "qt/Grid.h"
#include "qt/LabelArray.h"

namespace veltaorder {

frmPoResponse::frmPoResponse(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmPoResponse"));
  setWindowTitle(QStringLiteral("Parts Order Response"));

  const velta::qt::CaptionedValue left[] = {
      {6, 3, "PO Number"}, {2, 2, "PO Date"},        {1, 1, "Dist. order Number"},
      {0, 0, "Account "},  {7, 4, "Backorder Code"},
  };
  QGridLayout* header =
      velta::qt::createAnswerHeader(this, QStringLiteral("lblSearch"), left, {3, 5, "PO Status Code"}, {4, 6, "PO Status Message"});

  grdItem_ = velta::qt::createTitledGrid(
      this, QStringLiteral("grdItem"),
      {QStringLiteral("Line Ord."), QStringLiteral("Part Ordered"), QStringLiteral("Qty Ord."), QStringLiteral("Line Shp."),
       QStringLiteral("Part Shipped"), QStringLiteral("Qty Shp."), QStringLiteral("Qty BO"), QStringLiteral("Description"),
       QStringLiteral("Alt Shp Reason"), QStringLiteral("Bo Code"), QStringLiteral("Avail Date"), QStringLiteral("Location")},
      {780, 1920, 870, 885, 1920, 960, 960, 1920, 2235, 1410, 960, 1980});

  cmdOk_ = velta::qt::createOkButton(this);
  velta::qt::layOutAnswerForm(this, header, grdItem_, cmdOk_);
  resize(1180, 520);
}

QLabel* frmPoResponse::lblSearch(int index) const { return velta::qt::label(this, QStringLiteral("lblSearch"), index); }

void frmPoResponse::reject() { accept(); }

}  // namespace veltaorder
