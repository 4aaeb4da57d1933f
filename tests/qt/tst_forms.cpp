#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "order/frmPOStat.h"
#include "order/frmPoResponse.h"
#include "qt/Grid.h"
#include "qt/frmException.h"

class FormsTest : public QObject {
  Q_OBJECT

 private slots:
  void builds() {
    veltaorder::frmPoResponse response;
    veltaorder::frmPOStat status;
    velta::qt::frmException exception(velta::qt::ExceptionWording::Order);
    QVERIFY(response.lblSearch(6));
    QVERIFY(status.lblStatus(6));
    QVERIFY(exception.lblER(4));
  }
};

QTEST_MAIN(FormsTest)
#include "tst_forms.moc"
