// A large status answer through the order control: the status form's grid is
// fitted after every order line and every shipment, so its cost per row must
// not grow with the rows before it. Counted in texts laid out, not in time.
#include <QDialog>
#include <QtTest>
#include <string>

#include "order/UserControl1.h"
#include "qt/Grid.h"
#include "qt/Presenter.h"

using veltaorder::UserControl1;

namespace {

// Takes what the status form's grid holds and cost when it is shown.
class CountingPresenter : public velta::qt::Presenter {
 public:
  velta::qt::MessageAnswer showMessage(QWidget*, const velta::qt::MessageBox& box) override {
    boxes << box.text;
    return velta::qt::defaultAnswer(box.buttons);
  }
  void showForm(QWidget*, QDialog& form) override {
    const auto* grid = form.findChild<velta::qt::Grid*>(QStringLiteral("grdItem"));
    rows = grid->Rows() - 1;
    laidOut = grid->widthMeasurements();
    lastRow = grid->TextMatrix(grid->Rows() - 1, 3);
  }
  QStringList boxes;
  int rows = 0;
  qint64 laidOut = 0;
  QString lastRow;
};

// `records` order-line and shipment records, three shipments a line, every
// text its own (none is measured on behalf of another).
std::string statusAnswer(int records) {
  std::string text = "00|//VELTA//870|||VELTA-DIST|0001|21:05:09|20261208||WEB|||||||TOKEN\n"
                     "01|104233||100232\n"
                     "02|104233|T-5501|100232|20261201|OPEN|In process|104233B\n";
  for (int n = 0; n < records; ++n) {
    const std::string k = std::to_string(n);
    if (n % 4 == 0) {
      text += "05|ACD|P" + k + "|ACD|P" + k + "E|FILTER " + k + "|2|1|1|20261215\n";
    } else {
      text += "11|1|INV-" + k + "|20261202|C|1Z" + k + "|SHIPPED|on its way " + k + "|WH" + k + "|02\n";
    }
  }
  return text;
}

}  // namespace

class StatusGridTest : public QObject {
  Q_OBJECT

 private slots:
  void fittingCostsTheSameForEveryRow() {
    qreal perRow[2] = {};
    const int sizes[2] = {1000, 10000};
    for (int i = 0; i < 2; ++i) {
      CountingPresenter presenter;
      UserControl1 control;
      control.setPresenter(&presenter);
      std::string response = statusAnswer(sizes[i]);
      auto totByte = static_cast<int32_t>(response.size());
      control.statusResponse(response, totByte);
      QCOMPARE(presenter.boxes, QStringList());
      // A group row for every line, three rows for every shipment.
      QCOMPARE(presenter.rows, sizes[i] / 4 + 3 * (sizes[i] - sizes[i] / 4));
      QCOMPARE(presenter.lastRow, QStringLiteral("Ship Loc. Code = 02"));
      perRow[i] = qreal(presenter.laidOut) / presenter.rows;
      // Fitting the nine columns of every row afresh would lay out many times that.
      QVERIFY2(perRow[i] <= 5, qPrintable(QStringLiteral("%1 a row").arg(perRow[i])));
    }
    QVERIFY2(perRow[1] <= perRow[0] * 1.1 + 0.05,
             qPrintable(QStringLiteral("%1 a row for 1,000 records, %2 for 10,000").arg(perRow[0]).arg(perRow[1])));
  }
};

QTEST_MAIN(StatusGridTest)
#include "tst_statusgrid.moc"
