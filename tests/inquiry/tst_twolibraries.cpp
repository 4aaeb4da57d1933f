// Both control libraries in one host process, as a dealer's host loads them:
// each keeps its own engine, registries, open files and base state (the
// compression alphabet, the clock and the notice route live together in it),
// because each carries its own hidden copy of the core.
//
// The order control opens business system A, the inquiry control business
// system B; the two differ in the distributor's ports, so what each control
// shows says whose vendor file it read. Their clocks are set to different
// days, so the inquiry's request says whose base state it read.
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "support/FakeDistributor.h"
#include "inquiry/UserControl1.h"
#include "inquiry/WorkstationSetup.h"
#include "order/UserControl1.h"
#include "order/WorkstationSetup.h"
#include "support/RecordingPresenter.h"
#include "tools/sample/SampleBusinessSystem.h"

using velta::test::FakeDistributor;

class TwoLibrariesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void eachLibraryKeepsItsOwnEngineAndState();
  void neitherLibraryExportsTheCore_data();
  void neitherLibraryExportsTheCore();

 private:
  QString label(QWidget& control, const QString& name) {
    auto* found = control.findChild<QLabel*>(name);
    if (!found) qFatal("no label %s", qPrintable(name));
    return found->text();
  }

  QTemporaryDir dirA_, dirB_;
  velta::sample::SampleBusinessSystem a_, b_;
  std::unique_ptr<FakeDistributor> distributor_;
};

void TwoLibrariesTest::initTestCase() {
  QVERIFY(dirA_.isValid() && dirB_.isValid());
  distributor_ = std::make_unique<FakeDistributor>();
  velta::sample::SampleOptions options;
  options.parts = 200;
  options.server = "SRVA";
  options.distributor.orderPort = 12100;
  options.distributor.statusPort = 12103;
  options.distributor.inquiryPort = 12106;
  a_ = velta::sample::writeSampleBusinessSystem(dirA_.path().toStdString(), options);
  options.server = "SRVB";
  options.distributor.orderPort = 22100;
  options.distributor.statusPort = 22103;
  options.distributor.inquiryPort = distributor_->port();
  b_ = velta::sample::writeSampleBusinessSystem(dirB_.path().toStdString(), options);

  // One settings file for the process (as a workstation has); each library is
  // told its own share root and file server.
  qputenv("TMPDIR", QByteArray::fromStdString(a_.tmpDir().string()));
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(a_.configHome().string()));
  veltaorder::WorkstationSetup::setShares(QString::fromStdString(a_.root.string()), {});
  veltaorder::WorkstationSetup::setBusinessSystem(QStringLiteral("SRVA"), QStringLiteral("D1"));
  veltaiq::WorkstationSetup::setShares(QString::fromStdString(b_.root.string()), {});
  veltaiq::WorkstationSetup::setBusinessSystem(QStringLiteral("SRVB"), QStringLiteral("D1"));
  veltaorder::WorkstationSetup::startClockAt(QDateTime(QDate(2026, 12, 8), QTime(21, 5, 7)));
  veltaiq::WorkstationSetup::startClockAt(QDateTime(QDate(2027, 1, 15), QTime(8, 30, 0)));
}

void TwoLibrariesTest::eachLibraryKeepsItsOwnEngineAndState() {
  velta::qt::RecordingPresenter orderBoxes, inquiryBoxes;
  veltaorder::UserControl1 order;
  order.setPresenter(&orderBoxes);
  order.initProperties();
  order.show();
  order.setXPONum(QStringLiteral("100231"));
  order.setPO();
  QCOMPARE(label(order, QStringLiteral("Label4")), QStringLiteral("Using ports... 12100 - 12103"));

  // Showing the inquiry control starts its library's engine on B; the order
  // control's engine, registries and open files stay A's.
  veltaiq::UserControl1 inquiry;
  inquiry.setPresenter(&inquiryBoxes);
  inquiry.initProperties();
  inquiry.setXVendor(1207);
  inquiry.setXLine(QStringLiteral("FLT"));
  inquiry.setXPart(QStringLiteral("PH3600"));
  inquiry.setXQty(1);
  inquiry.show();
  inquiry.setSearch();
  QCOMPARE(label(inquiry, QStringLiteral("lblSearch(1)")), QString::number(distributor_->port()));

  order.setPO();
  QCOMPARE(label(order, QStringLiteral("Label4")), QStringLiteral("Using ports... 12100 - 12103"));
  QVERIFY2(label(order, QStringLiteral("lblPOHdr(1)")).startsWith(QStringLiteral("12/8/2026 9:05:")),
           qPrintable(label(order, QStringLiteral("lblPOHdr(1)"))));

  // And the other way round: showing the order control again starts its
  // engine afresh on A, which the inquiry control never sees.
  order.hide();
  order.show();
  inquiry.setSearch();
  QCOMPARE(label(inquiry, QStringLiteral("lblSearch(1)")), QString::number(distributor_->port()));

  distributor_->mode = FakeDistributor::Mode::Silent;
  inquiry.LocatePart();
  QTRY_COMPARE(distributor_->requests.size(), 1);
  const QByteArrayList header = distributor_->requests[0].split('\n').value(1).split('|');
  QCOMPARE(header.value(7), QByteArray("20270115"));
  QVERIFY(header.value(6).startsWith("08:30:"));
  QCOMPARE(orderBoxes.boxes.size(), 0);
  QCOMPARE(inquiryBoxes.boxes.size(), 0);
}

void TwoLibrariesTest::neitherLibraryExportsTheCore_data() {
  QTest::addColumn<QString>("library");
  QTest::addColumn<QString>("own");
  QTest::newRow("veltaorder") << QStringLiteral(VELTAORDER_FILE) << QStringLiteral("veltaorder::");
  QTest::newRow("veltaiq") << QStringLiteral(VELTAIQ_FILE) << QStringLiteral("veltaiq::");
}

void TwoLibrariesTest::neitherLibraryExportsTheCore() {
  QFETCH(QString, library);
  QFETCH(QString, own);
  QProcess nm;
  nm.start(QStringLiteral("nm"), {QStringLiteral("-D"), QStringLiteral("--defined-only"), QStringLiteral("-C"), library});
  QVERIFY(nm.waitForFinished(30000));
  QCOMPARE(nm.exitCode(), 0);
  int ownSymbols = 0;
  for (const QString& line : QString::fromLocal8Bit(nm.readAllStandardOutput()).split(QLatin1Char('\n'))) {
    QString name = line.section(QLatin1Char(' '), 2);
    for (const char* prefix : {"typeinfo name for ", "typeinfo for ", "vtable for ", "non-virtual thunk to "}) {
      if (name.startsWith(QLatin1String(prefix))) name = name.mid(int(qstrlen(prefix)));
    }
    if (name.startsWith(own)) {
      ++ownSymbols;
      continue;
    }
    // Nothing of the core or of the Qt layer: velta::, or a mangled name of it.
    QVERIFY2(!name.contains(QStringLiteral("velta")), qPrintable(line));
  }
  QVERIFY(ownSymbols > 0);
}

QTEST_MAIN(TwoLibrariesTest)
#include "tst_twolibraries.moc"
