// The busy cursor while the order control loads an order: on for the whole
// load, off again on every way out (an order loaded, a file that is not there,
// an engine error part-way), and never over a box the user must answer.
#include <QAbstractItemModel>
#include <QApplication>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "order/UserControl1.h"
#include "order/WorkstationSetup.h"
#include "qt/BusyCursor.h"
#include "qt/Grid.h"
#include "qt/Presenter.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace {

// The cursor shape over the application now; -1 for none of our own.
int cursorNow() { return QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : -1; }

// Answers every box at once and notes the cursor it was shown under.
class CursorPresenter : public velta::qt::Presenter {
 public:
  velta::qt::MessageAnswer showMessage(QWidget*, const velta::qt::MessageBox& box) override {
    underBoxes << cursorNow();
    return velta::qt::defaultAnswer(box);
  }
  void showForm(QWidget*, QDialog&) override { underBoxes << cursorNow(); }
  QList<int> underBoxes;
};

}  // namespace

class LoadCursorTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    velta::sample::SampleOptions options;
    options.parts = 200;
    sample_ = velta::sample::writeSampleBusinessSystem(dir_.path().toStdString(), options);
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(sample_.configHome().string()));
    veltaorder::WorkstationSetup::setShares(QString::fromStdString(sample_.root.string()), {});
  }

  void busyForTheWholeLoadAndNeverOverABox_data() {
    QTest::addColumn<QString>("order");
    QTest::addColumn<bool>("settings");
    QTest::addColumn<int>("boxes");
    QTest::addColumn<bool>("rows");
    QTest::newRow("loaded") << QStringLiteral("100239") << true << 0 << true;
    QTest::newRow("no such file") << QStringLiteral("999999") << true << 1 << false;
    QTest::newRow("no engine: error 91") << QStringLiteral("100231") << false << 1 << false;
  }

  void busyForTheWholeLoadAndNeverOverABox() {
    QFETCH(QString, order);
    QFETCH(bool, settings);
    QFETCH(int, boxes);
    QFETCH(bool, rows);
    QTemporaryDir empty;
    qputenv("TMPDIR", settings ? QByteArray::fromStdString(sample_.tmpDir().string()) : empty.path().toLocal8Bit());
    CursorPresenter presenter;
    auto control = std::make_unique<veltaorder::UserControl1>();
    control->setPresenter(&presenter);
    control->initProperties();
    control->show();
    presenter.underBoxes.clear();  // the show handler's own notices, if any

    auto* grid = control->findChild<velta::qt::Grid*>(QStringLiteral("VSFlexGrid1"));
    QVERIFY(grid);
    QList<int> underRows;
    connect(grid->view()->model(), &QAbstractItemModel::rowsInserted, this, [&] { underRows << cursorNow(); });
    control->setXPONum(order);
    control->setPO();

    QCOMPARE(cursorNow(), -1);
    QCOMPARE(presenter.underBoxes.size(), boxes);
    for (const int shape : presenter.underBoxes) QVERIFY(shape != Qt::WaitCursor);
    QCOMPARE(!underRows.isEmpty(), rows);
    for (const int shape : underRows) QCOMPARE(shape, static_cast<int>(Qt::WaitCursor));
  }

  void aBoxOverTheBusyCursorShowsTheOrdinaryOne() {
    QCOMPARE(cursorNow(), -1);
    {
      const velta::qt::BusyCursor busy;
      QCOMPARE(cursorNow(), static_cast<int>(Qt::WaitCursor));
      {
        const velta::qt::ArrowCursor arrow;
        QCOMPARE(cursorNow(), static_cast<int>(Qt::ArrowCursor));
      }
      QCOMPARE(cursorNow(), static_cast<int>(Qt::WaitCursor));
    }
    QCOMPARE(cursorNow(), -1);
    {
      const velta::qt::ArrowCursor arrow;  // nothing busy: nothing to change
      QCOMPARE(cursorNow(), -1);
    }
  }

 private:
  QTemporaryDir dir_;
  velta::sample::SampleBusinessSystem sample_;
};

QTEST_MAIN(LoadCursorTest)
#include "tst_loadcursor.moc"
