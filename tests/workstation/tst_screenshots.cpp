// Pictures of both controls, every form they show and the main window, as
// the dealer sees them: each is rendered (QWidget::grab) on the offscreen
// platform and written to the build folder as NAME.png, and checked from the
// widgets themselves, never from pixels: no caption clipped, every grid
// column at least as wide as its title, nothing outside the control or form.
//
// The forms come from real exchanges with the simulator: an acknowledged
// order, the status of an order sent before (group rows), an exception to an
// order and one to an inquiry, and the box of an order that is not there.
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QAbstractItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <memory>

#include "inquiry/UserControl1.h"
#include "order/UserControl1.h"
#include "qt/Grid.h"
#include "qt/QtPresenter.h"
#include "support/RecordingPresenter.h"
#include "tools/velta-workstation/ControlPages.h"
#include "tools/velta-workstation/JournalView.h"
#include "tools/velta-workstation/MainWindow.h"
#include "tools/velta-workstation/StatusLine.h"
#include "workstation/LayoutChecks.h"
#include "workstation/SampleSite.h"

namespace {

const QString kFolder = QStringLiteral(VELTA_SCREENSHOT_DIR);

}  // namespace

class ScreenshotsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();

  void theOrderControlWithAnOrder();
  void theAcknowledgement();
  void theStatusWithGroupRows();
  void theExceptionToAnOrder();
  void theExceptionToAnInquiry();
  void aMessageBox();
  void theInquiryControlWithResults();
  void theMainWindow();

 private:
  // Shows `widget` (a top-level), writes NAME.png, and checks it. Inside a
  // control's routine (a form, a box) no event loop runs: a test's wait would
  // delete what the control has left for deletion while it is still in use.
  void picture(QWidget& widget, const QString& name, bool insideControl = false);
  // Pictures every form the controls show, under its own name (or `rename`).
  void pictureForms(const QString& rename = {});
  void pictureBoxes();
  void submit(veltaorder::UserControl1& control, const char* button);
  std::unique_ptr<veltaorder::UserControl1> orderControl(const QString& po);

  QTemporaryDir dir_;
  std::unique_ptr<velta::test::SampleSite> site_, refusing_;
  velta::qt::RecordingPresenter presenter_;
  QStringList pictured_;
};

void ScreenshotsTest::initTestCase() {
  QVERIFY(dir_.isValid());
  QVERIFY(QDir().mkpath(kFolder));
  site_ = std::make_unique<velta::test::SampleSite>(dir_.filePath(QStringLiteral("site")).toStdString());
  refusing_ = std::make_unique<velta::test::SampleSite>(
      dir_.filePath(QStringLiteral("refusing")).toStdString(),
      std::vector<std::string>{"--fault", "exception@order", "--fault", "exception@inquiry"});
}

void ScreenshotsTest::init() {
  site_->use();
  presenter_.clear();
  presenter_.onForm = nullptr;
  presenter_.onBox = nullptr;
  pictured_.clear();
}

void ScreenshotsTest::picture(QWidget& widget, const QString& name, bool insideControl) {
  widget.show();
  if (!insideControl) QVERIFY(QTest::qWaitForWindowExposed(&widget));
  const QString file = kFolder + QLatin1Char('/') + name + QStringLiteral(".png");
  QVERIFY2(widget.grab().save(file), qPrintable(file));
  pictured_ << name;
  const QStringList faults = velta::test::clippedCaptions(widget) + velta::test::narrowColumns(widget) +
                             velta::test::widgetsOutside(widget);
  QVERIFY2(faults.isEmpty(), qPrintable(name + QStringLiteral(":\n  ") + faults.join(QStringLiteral("\n  "))));
}

void ScreenshotsTest::pictureForms(const QString& rename) {
  presenter_.onForm = [this, rename](QDialog& form) {
    picture(form, rename.isEmpty() ? form.objectName() : rename, true);
    form.hide();
  };
}

void ScreenshotsTest::pictureBoxes() {
  presenter_.onBox = [this](const velta::qt::MessageBox& box) {
    // The very box the controls' own presenter shows.
    const auto shown = velta::qt::createMessageBox(nullptr, box);
    picture(*shown, QStringLiteral("messagebox"), true);
  };
}

std::unique_ptr<veltaorder::UserControl1> ScreenshotsTest::orderControl(const QString& po) {
  auto control = std::make_unique<veltaorder::UserControl1>();
  control->setPresenter(&presenter_);
  control->initProperties();
  control->resize(control->sizeHint().expandedTo(QSize(980, 600)));
  control->show();
  control->setXPONum(po);
  control->setPO();
  return control;
}

void ScreenshotsTest::submit(veltaorder::UserControl1& control, const char* button) {
  QSignalSpy shutdown(&control, &veltaorder::UserControl1::controlShutdown);
  auto* press = control.findChild<QPushButton*>(QString::fromLatin1(button));
  QVERIFY(press && press->isEnabled());
  press->click();
  QVERIFY(shutdown.wait(30000));
}

void ScreenshotsTest::theOrderControlWithAnOrder() {
  auto control = orderControl(QStringLiteral("100231"));
  QVERIFY(presenter_.boxes.isEmpty());
  picture(*control, QStringLiteral("order-control"));
}

void ScreenshotsTest::theAcknowledgement() {
  auto control = orderControl(QStringLiteral("100231"));
  pictureForms();
  submit(*control, "cmdSubmit");
  QCOMPARE(pictured_, QStringList{QStringLiteral("frmPoResponse")});
}

void ScreenshotsTest::theStatusWithGroupRows() {
  auto control = orderControl(QStringLiteral("100232"));
  pictureForms();
  submit(*control, "cmdPOStat");
  QCOMPARE(pictured_, QStringList{QStringLiteral("frmPOStat")});
  QVERIFY(presenter_.forms[0].grids[QStringLiteral("grdItem")].rows.value(0).group);
}

void ScreenshotsTest::theExceptionToAnOrder() {
  refusing_->use();
  auto control = orderControl(QStringLiteral("100231"));
  pictureForms(QStringLiteral("frmException-order"));
  submit(*control, "cmdSubmit");
  QCOMPARE(pictured_, QStringList{QStringLiteral("frmException-order")});
  QCOMPARE(presenter_.forms[0].labels[QStringLiteral("Label1")], QStringLiteral("Your Order Returned an Exception."));
}

void ScreenshotsTest::theExceptionToAnInquiry() {
  refusing_->use();
  veltaiq::UserControl1 control;
  control.setPresenter(&presenter_);
  control.initProperties();
  control.setXVendor(1207);
  control.setXLine(QStringLiteral("FLT"));
  control.setXPart(QStringLiteral("1A0013"));
  control.setXQty(QStringLiteral("2"));
  control.show();
  control.setSearch();
  pictureForms(QStringLiteral("frmException-inquiry"));
  QSignalSpy shutdown(&control, &veltaiq::UserControl1::controlShutdown);
  control.findChild<QPushButton*>(QStringLiteral("CmdSearch"))->click();
  QVERIFY(shutdown.wait(30000));
  QCOMPARE(pictured_, QStringList{QStringLiteral("frmException-inquiry")});
  QCOMPARE(presenter_.forms[0].labels[QStringLiteral("Label1")], QStringLiteral("Your inquiry returned an exception."));
}

void ScreenshotsTest::aMessageBox() {
  pictureBoxes();
  auto control = orderControl(QStringLiteral("999999"));
  QCOMPARE(pictured_, QStringList{QStringLiteral("messagebox")});
  QVERIFY(presenter_.boxes[0].box.text.startsWith(QStringLiteral("Can not open PO file")));
}

void ScreenshotsTest::theInquiryControlWithResults() {
  veltaiq::UserControl1 control;
  control.setPresenter(&presenter_);
  control.initProperties();
  control.setXVendor(1207);
  control.setXLine(QStringLiteral("FLT"));
  control.setXPart(QStringLiteral("1A0013"));
  control.setXQty(QStringLiteral("2"));
  control.resize(control.sizeHint().expandedTo(QSize(980, 640)));
  control.show();
  control.setSearch();
  QAbstractItemModel* entry = control.findChild<QWidget*>(QStringLiteral("grdIQ"))->findChild<QTableView*>()->model();
  QVERIFY(entry->setData(entry->index(1, 0), QStringLiteral("FLT")));
  QVERIFY(entry->setData(entry->index(1, 1), QStringLiteral("1A0007")));
  QVERIFY(entry->setData(entry->index(1, 2), QStringLiteral("20")));
  control.findChild<QPushButton*>(QStringLiteral("CmdSearch"))->click();
  QTRY_VERIFY_WITH_TIMEOUT(!control.inquiryOpen(), 30000);
  QVERIFY(presenter_.boxes.isEmpty());
  QVERIFY(control.findChild<QWidget*>(QStringLiteral("grdItem"))->findChild<QTableView*>()->model()->rowCount() >= 2);
  picture(control, QStringLiteral("inquiry-control"));
}

void ScreenshotsTest::theMainWindow() {
  // A distributor of its own, which has not seen order 100231 yet.
  velta::test::SampleSite site(dir_.filePath(QStringLiteral("window")).toStdString());
  site.use();
  velta::workstation::WindowSetup setup{dir_.filePath(QStringLiteral("workstation.ini")), site.overrides(), {}};
  setup.exchange.journal = dir_.filePath(QStringLiteral("journal"));
  velta::workstation::MainWindow window(setup);
  window.setPresenter(&presenter_);
  window.resize(window.sizeHint().expandedTo(QSize(1100, 760)));
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  // One order acknowledged for the journal, then the next one loaded.
  window.findChild<QLineEdit*>(QStringLiteral("poNumber"))->setText(QStringLiteral("100231"));
  window.loadOrder();
  QSignalSpy shutdown(window.orderControl(), &veltaorder::UserControl1::controlShutdown);
  window.orderControl()->findChild<QPushButton*>(QStringLiteral("cmdSubmit"))->click();
  QVERIFY(shutdown.wait(30000));
  QTRY_VERIFY(window.orderControl()->isVisible() && window.orderControl()->lastOutcome() == QLatin1String("none"));
  QCOMPARE(window.findChild<velta::workstation::StatusLine*>(QStringLiteral("statusOutcome"))->fullText(),
           QStringLiteral("Purchase order 100231 acknowledged by the distributor, its order number 700002"));
  window.findChild<QLineEdit*>(QStringLiteral("vendor"))->setText(QStringLiteral("1207"));
  window.findChild<QLineEdit*>(QStringLiteral("line"))->setText(QStringLiteral("FLT"));
  window.findChild<QLineEdit*>(QStringLiteral("part"))->setText(QStringLiteral("1A0013"));
  window.findChild<QLineEdit*>(QStringLiteral("qty"))->setText(QStringLiteral("2"));
  window.setPart();
  window.findChild<QLineEdit*>(QStringLiteral("poNumber"))->setText(QStringLiteral("100232"));
  window.loadOrder();
  QVERIFY(presenter_.boxes.isEmpty());
  picture(window, QStringLiteral("main-window"));
  window.pages()->setCurrentIndex(velta::workstation::MainWindow::kInquiryPage);
  picture(window, QStringLiteral("main-window-inquiry"));
  window.pages()->setCurrentIndex(velta::workstation::MainWindow::kJournalPage);
  QTreeWidget* journal = window.journal()->list();
  QCOMPARE(journal->topLevelItemCount(), 1);
  journal->topLevelItem(0)->setSelected(true);
  picture(window, QStringLiteral("main-window-journal"));
}

QTEST_MAIN(ScreenshotsTest)
#include "tst_screenshots.moc"
