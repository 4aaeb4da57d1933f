// The Designer plugin in Designer's own form editor (QDesignerComponents, as
// the designer program builds it): the widget box shows both controls under
// names a person reads; a form read in gets its controls in design mode; and
// the form Designer's own writer saves keeps the controls' QVariant
// properties as untranslated texts (notr="true"), whether the form had the
// mark or not and whatever is set through the form window, so that uic sets
// them once in setupUi() and never passes them through translate().
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QDesignerWidgetBoxInterface>
#include <QtDesigner/QDesignerWidgetDataBaseInterface>
#include <QtDesigner/QExtensionManager>
#include <QtTest>
#include <private/qdesigner_utils_p.h>

#include "CounterForm.h"
#include "ModalWatch.h"
#include "inquiry/UserControl1.h"
#include "order/UserControl1.h"

namespace {

// Both controls as a host developer may have written them by hand: some
// texts marked untranslated, some not.
const char* const kControls = R"(
  <property name="geometry"><rect><x>0</x><y>0</y><width>900</width><height>700</height></rect></property>
  <widget class="veltaorder::UserControl1" name="orderControl">
   <property name="geometry"><rect><x>0</x><y>0</y><width>880</width><height>340</height></rect></property>
   <property name="xPONum"><string>00123</string></property>
   <property name="xPOSuccess"><string notr="true">0</string></property>
  </widget>
  <widget class="veltaiq::UserControl1" name="inquiryControl">
   <property name="geometry"><rect><x>0</x><y>350</y><width>880</width><height>340</height></rect></property>
   <property name="xPart"><string>PH3600</string></property>
   <property name="xDesc"><string comment="shown only">OIL FILTER, SPIN ON</string></property>
   <property name="xQty"><string notr="true">2</string></property>
   <property name="xLine"><string>FLT</string></property>
   <property name="xVendor"><string>1207</string></property>
  </widget>)";

// One <property> of a widget in a saved form as "TEXT notr=NOTR" (NOTR "" when
// the attribute is absent); a null text when the form has no such property.
QString savedProperty(const QString& form, const QString& widget, const QString& property) {
  QXmlStreamReader xml(form);
  QStringList widgets;  // the widget elements open around the reader
  while (!xml.atEnd()) {
    const auto token = xml.readNext();
    if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("widget")) widgets.removeLast();
    if (token != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("widget")) widgets << xml.attributes().value("name").toString();
    if (xml.name() != QLatin1String("property") || widgets.isEmpty() || widgets.last() != widget ||
        xml.attributes().value("name") != property) {
      continue;
    }
    QString text, notr;
    while (xml.readNextStartElement()) {
      if (xml.name() == QLatin1String("string")) {
        notr = xml.attributes().value("notr").toString();
        text = xml.readElementText();
      } else {
        xml.skipCurrentElement();
      }
    }
    return text + " notr=" + notr;
  }
  return {};
}

}  // namespace

class tst_DesignerForm : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    empty_ = std::make_unique<QTemporaryDir>();
    QVERIFY(empty_->isValid());
    // Designer's settings and every place the controls could read a site from
    // lie in a folder that holds nothing.
    const QString root = empty_->path();
    for (const auto& [name, below] : {std::pair{"HOME", ""}, {"XDG_CONFIG_HOME", "/config"}, {"TMPDIR", ""},
                                      {"XDG_CACHE_HOME", "/cache"}, {"VELTA_SHARES", "/shares.conf"},
                                      {"VELTA_UNC_ROOT", "/unc"}}) {
      qputenv(name, (root + below).toLocal8Bit());
    }
    watch_ = std::make_unique<ModalWatch>();

    // Designer finds plugins in designer/ below each library path: the build's plugins/.
    QCoreApplication::addLibraryPath(QFileInfo(QStringLiteral(VELTA_DESIGNER_PLUGIN)).absoluteDir().absolutePath() +
                                     QStringLiteral("/.."));
    QDesignerComponents::initializeResources();
    core_ = QDesignerComponents::createFormEditor(this);
    QVERIFY(core_);
    QDesignerComponents::createTaskMenu(core_, this);
    QDesignerComponents::initializePlugins(core_);
    core_->setIntegration(new QDesignerIntegration(core_, this));
    QDesignerWidgetBoxInterface* box = QDesignerComponents::createWidgetBox(core_, nullptr);
    box->setFileName(QStringLiteral(":/qt-project.org/widgetbox/widgetbox.xml"));
    box->load();
    core_->setWidgetBox(box);

    form_ = core_->formWindowManager()->createFormWindow(nullptr);
    QVERIFY(form_);
    form_->setFileName(root + "/counterform.ui");
    QVERIFY(form_->setContents(counterForm(kControls)));
    QVERIFY(control("orderControl"));
    QVERIFY(control("inquiryControl"));
  }

  void widgetBoxShowsBothControlsInTheirGroup() {
    QDesignerWidgetBoxInterface* box = core_->widgetBox();
    QStringList shown;
    for (int c = 0; c < box->categoryCount(); ++c) {
      const auto category = box->category(c);
      if (category.name() != QLatin1String("Velta")) continue;
      for (int w = 0; w < category.widgetCount(); ++w) shown << category.widget(w).name();
    }
    QCOMPARE(shown, QStringList({"Velta order", "Velta inquiry"}));

    for (const auto& [className, include] : {std::pair{"veltaorder::UserControl1", "order/UserControl1.h"},
                                             {"veltaiq::UserControl1", "inquiry/UserControl1.h"}}) {
      QDesignerWidgetDataBaseInterface* db = core_->widgetDataBase();
      const int index = db->indexOfClassName(QLatin1String(className));
      QVERIFY2(index >= 0, className);
      QDesignerWidgetDataBaseItemInterface* item = db->item(index);
      QVERIFY(item->isCustom());
      QCOMPARE(item->group(), QStringLiteral("Velta"));
      QCOMPARE(item->includeFile(), QLatin1String(include));
      QVERIFY2(item->toolTip().contains(QLatin1String(className)), qPrintable(item->toolTip()));
      QVERIFY2(item->whatsThis().startsWith(QLatin1String(className)), qPrintable(item->whatsThis()));
      QVERIFY(!item->icon().isNull());
      QCOMPARE(item->icon().pixmap(QSize(64, 64)).size(), QSize(64, 64));
    }
  }

  void aFormReadInHasItsControlsInDesignMode() {
    auto* order = qobject_cast<veltaorder::UserControl1*>(control("orderControl"));
    auto* inquiry = qobject_cast<veltaiq::UserControl1*>(control("inquiryControl"));
    QVERIFY(order && inquiry);
    QVERIFY(order->designMode());
    QVERIFY(inquiry->designMode());
    // Read in, they read nothing and show no box (shown, they keep so:
    // tst_designerplugin shows them).
    QCOMPARE(watch_->seen, QStringList());
    QCOMPARE(order->errText(), QString());
    QCOMPARE(inquiry->errText(), QString());
    // The texts of the form reached the controls as texts.
    QCOMPARE(order->xPONum(), QVariant(QStringLiteral("00123")));
    QCOMPARE(inquiry->xVendor(), QVariant(QStringLiteral("1207")));
  }

  void savedTextsAreUntranslated_data() {
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("text");
    QTest::newRow("xPONum, read without the mark") << "orderControl" << "xPONum" << "00123";
    QTest::newRow("xPOSuccess, read with it") << "orderControl" << "xPOSuccess" << "0";
    QTest::newRow("xPart") << "inquiryControl" << "xPart" << "PH3600";
    QTest::newRow("xDesc, read with a comment") << "inquiryControl" << "xDesc" << "OIL FILTER, SPIN ON";
    QTest::newRow("xQty") << "inquiryControl" << "xQty" << "2";
    QTest::newRow("xLine") << "inquiryControl" << "xLine" << "FLT";
    QTest::newRow("xVendor") << "inquiryControl" << "xVendor" << "1207";
  }
  void savedTextsAreUntranslated() {
    QFETCH(QString, widget);
    QFETCH(QString, property);
    QFETCH(QString, text);
    QCOMPARE(savedProperty(saved(), widget, property), text + " notr=true");
  }

  // What the property editor and scripts do: set a property of the selected
  // widget through the form window's cursor, with a plain text or with
  // Designer's string value marked translatable.
  void textsSetThroughTheFormWindowAreSavedUntranslated() {
    QWidget* order = control("orderControl");
    QWidget* inquiry = control("inquiryControl");
    form_->cursor()->setWidgetProperty(order, QStringLiteral("xPONum"), QStringLiteral("100231"));
    form_->cursor()->setWidgetProperty(
        inquiry, QStringLiteral("xLine"),
        QVariant::fromValue(qdesigner_internal::PropertySheetStringValue(QStringLiteral("FIL"), /*translatable=*/true)));
    QCOMPARE(order->property("xPONum"), QVariant(QStringLiteral("100231")));
    QCOMPARE(inquiry->property("xLine"), QVariant(QStringLiteral("FIL")));

    const QString form = saved();
    QCOMPARE(savedProperty(form, "orderControl", "xPONum"), QStringLiteral("100231 notr=true"));
    QCOMPARE(savedProperty(form, "inquiryControl", "xLine"), QStringLiteral("FIL notr=true"));
    // And read in again, the form keeps them.
    QVERIFY(form_->setContents(form));
    QCOMPARE(savedProperty(saved(), "inquiryControl", "xLine"), QStringLiteral("FIL notr=true"));
    QCOMPARE(control("orderControl")->property("xPONum"), QVariant(QStringLiteral("100231")));
  }

  void uicSetsTheTextsOnceAndNeverTranslatesThem() {
    const QString file = empty_->path() + "/saved.ui";
    {
      QFile ui(file);
      QVERIFY(ui.open(QIODevice::WriteOnly));
      ui.write(saved().toUtf8());
    }
    QProcess uic;
    uic.start(QStringLiteral(VELTA_UIC), {file});
    QVERIFY(uic.waitForFinished(60000));
    QCOMPARE(uic.exitCode(), 0);
    const QString code = QString::fromUtf8(uic.readAllStandardOutput());

    const QStringList setters{"setXPONum", "setXPOSuccess", "setXPart", "setXDesc", "setXQty", "setXLine", "setXVendor"};
    const qsizetype retranslate = code.indexOf(QStringLiteral("void retranslateUi("));
    QVERIFY(retranslate > 0);
    for (const QString& setter : setters) {
      const QRegularExpression once(QStringLiteral("->%1\\(QString::fromUtf8\\(\"[^\"]*\"\\)\\);").arg(setter));
      int count = 0;
      for (auto it = once.globalMatch(code); it.hasNext(); it.next()) ++count;
      QVERIFY2(count == 1, qPrintable(setter + "\n" + code));
      QVERIFY2(code.indexOf(setter) < retranslate, qPrintable(setter + " in retranslateUi():\n" + code));
      QVERIFY2(code.indexOf(setter, retranslate) < 0, qPrintable(setter + " in retranslateUi():\n" + code));
    }
    QVERIFY2(code.contains(QStringLiteral("orderControl->setXPONum(QString::fromUtf8(\"100231\"));")), qPrintable(code));
    QVERIFY2(!code.contains(QStringLiteral("translate(\"CounterForm\", \"100231\"")), qPrintable(code));
  }

 private:
  QString saved() const { return form_->contents(); }
  QWidget* control(const QString& name) const { return form_->mainContainer()->findChild<QWidget*>(name); }

  std::unique_ptr<QTemporaryDir> empty_;
  std::unique_ptr<ModalWatch> watch_;
  QDesignerFormEditorInterface* core_ = nullptr;
  QDesignerFormWindowInterface* form_ = nullptr;
};

QTEST_MAIN(tst_DesignerForm)
#include "tst_designerform.moc"
