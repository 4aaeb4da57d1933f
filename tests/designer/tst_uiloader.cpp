// A form with both controls loaded at run time with QUiLoader, as a host
// does with a form made in Designer: QUiLoader finds the Designer plugin but
// never initializes it with a form editor, so the controls it makes are not
// in design mode. On the sample business system they do their work: the
// order control loads the order the form names and the inquiry control finds
// the form's vendor, with no box.
#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QUiLoader>
#include <QtTest>
#include <memory>

#include "CounterForm.h"
#include "inquiry/UserControl1.h"
#include "order/UserControl1.h"
#include "qt/Presenter.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace {

const char* const kControls = R"(
  <widget class="veltaorder::UserControl1" name="orderControl">
   <property name="xPONum"><string notr="true">100236</string></property>
  </widget>
  <widget class="veltaiq::UserControl1" name="inquiryControl">
   <property name="xVendor"><string notr="true">1207</string></property>
   <property name="xLine"><string notr="true">FLT</string></property>
   <property name="xPart"><string notr="true">1A0013</string></property>
   <property name="xQty"><string notr="true">2</string></property>
  </widget>)";

// Keeps the text of every box; forms are closed at once.
class BoxRecorder : public velta::qt::Presenter {
 public:
  velta::qt::MessageAnswer showMessage(QWidget*, const velta::qt::MessageBox& box) override {
    boxes << box.title + ": " + box.text;
    return velta::qt::defaultAnswer(box);
  }
  void showForm(QWidget*, QDialog&) override {}
  QStringList boxes;
};

QString labelText(const QWidget* control, const char* name) {
  const auto* label = control->findChild<QLabel*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
  return label ? label->text() : QStringLiteral("<no label %1>").arg(QLatin1String(name));
}

}  // namespace

class tst_UiLoader : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    velta::sample::SampleOptions options;
    options.parts = 200;
    const auto sample = velta::sample::writeSampleBusinessSystem(dir_->path().toStdString() + "/biz", options);
    qputenv("TMPDIR", QByteArray::fromStdString(sample.tmpDir().string()));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(sample.configHome().string()));
    for (const char* name : {"VELTA_UNC_ROOT", "VELTA_SHARES", "VELTA_TOKEN_TABLE"}) qunsetenv(name);

    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QFileInfo(QStringLiteral(VELTA_DESIGNER_PLUGIN)).absolutePath());
    QVERIFY2(loader.availableWidgets().contains(QStringLiteral("veltaorder::UserControl1")),
             qPrintable(loader.availableWidgets().join(' ')));
    QBuffer ui;
    ui.setData(counterForm(kControls).toUtf8());
    form_.reset(loader.load(&ui));
    QVERIFY2(form_, qPrintable(loader.errorString()));
    order_ = form_->findChild<veltaorder::UserControl1*>(QStringLiteral("orderControl"));
    inquiry_ = form_->findChild<veltaiq::UserControl1*>(QStringLiteral("inquiryControl"));
    QVERIFY(order_ && inquiry_);
    order_->setPresenter(&orderBoxes_);
    inquiry_->setPresenter(&inquiryBoxes_);
  }

  void loadedControlsAreNotInDesignMode() {
    QVERIFY(!order_->designMode());
    QVERIFY(!inquiry_->designMode());
    QCOMPARE(order_->xPONum(), QVariant(QStringLiteral("100236")));
    QCOMPARE(inquiry_->xVendor(), QVariant(QStringLiteral("1207")));
  }

  void theOrderControlLoadsTheFormsOrder() {
    form_->show();  // the show handlers open the business system
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    order_->setPO();
    QCOMPARE(orderBoxes_.boxes, QStringList());
    QCOMPARE(order_->errText(), QString());
    QCOMPARE(labelText(order_, "lblPO"), QStringLiteral("100236"));
    QCOMPARE(labelText(order_, "lblPOHdr(0)"), QStringLiteral("SUMMIT CHEMICAL, INC.         "));
    QCOMPARE(labelText(order_, "Label4"), QStringLiteral("Using ports... 12000 - 12003"));
  }

  void theInquiryControlFindsTheFormsVendor() {
    inquiry_->setSearch();
    QCOMPARE(inquiryBoxes_.boxes, QStringList());
    QCOMPARE(inquiry_->errText(), QString());
    QCOMPARE(labelText(inquiry_, "lblSearch(0)"), QStringLiteral("1207 - NORTHERN PARTS DISTRIBUTION   "));
    QCOMPARE(labelText(inquiry_, "lblSearch(4)"), QStringLiteral("104233/A7"));
  }

 private:
  // In this order: the folder and the presenters outlive the controls.
  std::unique_ptr<QTemporaryDir> dir_;
  BoxRecorder orderBoxes_, inquiryBoxes_;
  std::unique_ptr<QWidget> form_;
  veltaorder::UserControl1* order_ = nullptr;
  veltaiq::UserControl1* inquiry_ = nullptr;
};

QTEST_MAIN(tst_UiLoader)
#include "tst_uiloader.moc"
