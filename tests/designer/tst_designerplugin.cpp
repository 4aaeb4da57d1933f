// The Designer plugin loaded as Designer loads it, initialized with a form
// editor. Each control it makes is in design mode: shown with a home,
// configuration and temporary folder that are empty, it shows no box and
// leaves the folders empty, where the same control made by a host shows the
// box of a site it cannot read. Its persisted QVariant properties reach the
// property editor as text marked untranslatable.
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QExtensionFactory>
#include <QtDesigner/QExtensionManager>
#include <QtTest>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <memory>
#include <private/qdesigner_utils_p.h>

#include "ModalWatch.h"
#include "inquiry/UserControl1.h"
#include "order/UserControl1.h"

namespace {

// What Designer's own property sheet does, for the plugin's sheet to build
// on: every property of the object's meta-object, read and written as it is.
class MetaObjectSheet : public QObject, public QDesignerPropertySheetExtension {
  Q_OBJECT
  Q_INTERFACES(QDesignerPropertySheetExtension)

 public:
  MetaObjectSheet(QObject* object, QObject* parent) : QObject(parent), object_(object) {}
  int count() const override { return object_->metaObject()->propertyCount(); }
  int indexOf(const QString& name) const override { return object_->metaObject()->indexOfProperty(name.toLatin1()); }
  QString propertyName(int i) const override { return QString::fromLatin1(meta(i).name()); }
  QString propertyGroup(int) const override { return QStringLiteral("group"); }
  void setPropertyGroup(int, const QString&) override {}
  bool hasReset(int) const override { return false; }
  bool reset(int) override { return false; }
  bool isVisible(int) const override { return true; }
  void setVisible(int, bool) override {}
  bool isAttribute(int) const override { return false; }
  void setAttribute(int, bool) override {}
  QVariant property(int i) const override { return meta(i).read(object_); }
  void setProperty(int i, const QVariant& value) override {
    meta(i).write(object_, value);
    changed_.insert(i);
  }
  bool isChanged(int i) const override { return changed_.contains(i); }
  void setChanged(int i, bool changed) override {
    if (changed) changed_.insert(i); else changed_.remove(i);
  }
  bool isEnabled(int) const override { return true; }

 private:
  QMetaProperty meta(int i) const { return object_->metaObject()->property(i); }
  QObject* object_;
  QSet<int> changed_;
};

class MetaObjectSheetFactory : public QExtensionFactory {
 public:
  using QExtensionFactory::QExtensionFactory;

 protected:
  QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override {
    if (iid != QLatin1String(Q_TYPEID(QDesignerPropertySheetExtension))) return nullptr;
    return new MetaObjectSheet(object, parent);
  }
};

// A form editor with an extension manager that already holds the stand-in
// for Designer's sheets, as Designer's does before it initializes plugins.
class FormEditor : public QDesignerFormEditorInterface {
 public:
  FormEditor() {
    auto* manager = new QExtensionManager(this);
    manager->registerExtensions(new MetaObjectSheetFactory(manager), Q_TYPEID(QDesignerPropertySheetExtension));
    setExtensionManager(manager);
  }
};

QStringList entriesBelow(const QString& folder) {
  QStringList all;
  QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) all << it.next();
  return all;
}

using qdesigner_internal::PropertySheetStringValue;

// The text and the mark of a value the sheet presents as Designer's string value.
struct PresentedText {
  bool isStringValue = false;
  QString text;
  bool translatable = true;
};

PresentedText presentedText(const QVariant& value) {
  if (value.metaType() != QMetaType::fromType<PropertySheetStringValue>()) return {};
  const auto string = value.value<PropertySheetStringValue>();
  return {true, string.value(), string.translatable()};
}

}  // namespace

class tst_DesignerPlugin : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void offersBothControls();
  void domXmlSpecifiesEveryVariantPropertyAsText_data();
  void domXmlSpecifiesEveryVariantPropertyAsText();
  void aDesignedControlReadsNothingAndShowsNoBox_data();
  void aDesignedControlReadsNothingAndShowsNoBox();
  void aHostsControlNeedsTheSiteWhenShown_data();
  void aHostsControlNeedsTheSiteWhenShown();
  void variantPropertiesAreTextInThePropertySheet_data();
  void variantPropertiesAreTextInThePropertySheet();
  void otherObjectsKeepDesignersSheet();

 private:
  QDesignerCustomWidgetInterface* widget(const QString& className) const;

  std::unique_ptr<QTemporaryDir> empty_, cache_;
  QDesignerCustomWidgetCollectionInterface* collection_ = nullptr;
  // Designer has one form editor, which initializes each plugin once.
  std::unique_ptr<FormEditor> core_;
};

void tst_DesignerPlugin::initTestCase() {
  empty_ = std::make_unique<QTemporaryDir>();
  cache_ = std::make_unique<QTemporaryDir>();
  QVERIFY(empty_->isValid() && cache_->isValid());
  // Fonts and the like keep their caches elsewhere.
  qputenv("XDG_CACHE_HOME", cache_->path().toLocal8Bit());
  // Everything the controls could read the site or the shares from points
  // into a folder that holds nothing.
  const QString root = empty_->path();
  qputenv("HOME", root.toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", (root + "/config").toLocal8Bit());
  qputenv("TMPDIR", root.toLocal8Bit());
  qputenv("VELTA_SHARES", (root + "/shares.conf").toLocal8Bit());
  qputenv("VELTA_UNC_ROOT", (root + "/unc").toLocal8Bit());
  qunsetenv("VELTA_TOKEN_TABLE");

  QPluginLoader loader(QStringLiteral(VELTA_DESIGNER_PLUGIN));
  QVERIFY2(loader.load(), qPrintable(loader.errorString()));
  QCOMPARE(loader.metaData().value(QLatin1String("IID")).toString(),
           QStringLiteral("org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface"));
  collection_ = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
  QVERIFY(collection_);
  core_ = std::make_unique<FormEditor>();
  for (QDesignerCustomWidgetInterface* w : collection_->customWidgets()) {
    QVERIFY(!w->isInitialized());
    w->initialize(core_.get());
    QVERIFY(w->isInitialized());
  }
}

QDesignerCustomWidgetInterface* tst_DesignerPlugin::widget(const QString& className) const {
  for (QDesignerCustomWidgetInterface* w : collection_->customWidgets()) {
    if (w->name() == className) return w;
  }
  return nullptr;
}

void tst_DesignerPlugin::offersBothControls() {
  QStringList names, includes, groups;
  for (QDesignerCustomWidgetInterface* w : collection_->customWidgets()) {
    names << w->name();
    includes << w->includeFile();
    groups << w->group();
    QVERIFY(!w->isContainer());
  }
  QCOMPARE(names, QStringList({"veltaorder::UserControl1", "veltaiq::UserControl1"}));
  QCOMPARE(includes, QStringList({"order/UserControl1.h", "inquiry/UserControl1.h"}));
  QCOMPARE(groups, QStringList({"Velta", "Velta"}));
}

void tst_DesignerPlugin::domXmlSpecifiesEveryVariantPropertyAsText_data() {
  QTest::addColumn<QString>("className");
  QTest::addColumn<QStringList>("variantProperties");
  QTest::newRow("order") << "veltaorder::UserControl1" << QStringList{"xPONum", "xPOSuccess"};
  QTest::newRow("inquiry") << "veltaiq::UserControl1" << QStringList{"xPart", "xDesc", "xQty", "xLine", "xVendor"};
}

void tst_DesignerPlugin::domXmlSpecifiesEveryVariantPropertyAsText() {
  QFETCH(QString, className);
  QFETCH(QStringList, variantProperties);
  QDesignerCustomWidgetInterface* w = widget(className);
  QVERIFY(w);
  QXmlStreamReader xml(w->domXml());
  QString displayName, widgetClass, customClass;
  QStringList specified, tips;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const auto a = xml.attributes();
    if (xml.name() == QLatin1String("ui")) displayName = a.value("displayname").toString();
    if (xml.name() == QLatin1String("widget")) widgetClass = a.value("class").toString();
    if (xml.name() == QLatin1String("class")) customClass = xml.readElementText();
    if (xml.name() == QLatin1String("stringpropertyspecification")) {
      QCOMPARE(a.value("notr").toString(), QStringLiteral("true"));
      QCOMPARE(a.value("type").toString(), QStringLiteral("singleline"));
      specified << a.value("name").toString();
    }
    if (xml.name() == QLatin1String("tooltip")) tips << a.value("name").toString();
  }
  QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
  QCOMPARE(displayName, className.startsWith("veltaorder") ? QString("Velta order") : QString("Velta inquiry"));
  QCOMPARE(widgetClass, className);
  QCOMPARE(customClass, className);
  QCOMPARE(specified, variantProperties);
  QCOMPARE(tips, variantProperties);
  // And those are exactly the control's QVariant properties.
  std::unique_ptr<QWidget> control(w->createWidget(nullptr));
  QStringList declared;
  const QMetaObject* meta = control->metaObject();
  for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
    if (meta->property(i).metaType().id() == QMetaType::QVariant) declared << meta->property(i).name();
  }
  QCOMPARE(declared, variantProperties);
}

void tst_DesignerPlugin::aDesignedControlReadsNothingAndShowsNoBox_data() {
  QTest::addColumn<QString>("className");
  QTest::newRow("order") << "veltaorder::UserControl1";
  QTest::newRow("inquiry") << "veltaiq::UserControl1";
}

void tst_DesignerPlugin::aDesignedControlReadsNothingAndShowsNoBox() {
  QFETCH(QString, className);
  QDesignerCustomWidgetInterface* w = widget(className);
  QVERIFY(w);
  QWidget form;
  ModalWatch watch;
  QWidget* control = w->createWidget(&form);
  QVERIFY(control);
  QCOMPARE(control->parentWidget(), &form);
  QCOMPARE(control->property("errText").toString(), QString());
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QVERIFY(control->isVisible());
  QTest::qWait(100);
  QCOMPARE(watch.seen, QStringList());
  QCOMPARE(control->property("errText").toString(), QString());
  QCOMPARE(entriesBelow(empty_->path()), QStringList());
  if (auto* order = qobject_cast<veltaorder::UserControl1*>(control)) QVERIFY(order->designMode());
  if (auto* inquiry = qobject_cast<veltaiq::UserControl1*>(control)) QVERIFY(inquiry->designMode());
}

void tst_DesignerPlugin::aHostsControlNeedsTheSiteWhenShown_data() {
  QTest::addColumn<bool>("order");
  QTest::newRow("order") << true;
  QTest::newRow("inquiry") << false;
}

// The check above can fail: out of design mode the show handler looks for the
// site's settings file in the temporary folder and says in a box that it is
// missing.
void tst_DesignerPlugin::aHostsControlNeedsTheSiteWhenShown() {
  QFETCH(bool, order);
  ModalWatch watch;
  std::unique_ptr<QWidget> control;
  if (order) {
    auto* c = new veltaorder::UserControl1;
    QVERIFY(!c->designMode());
    control.reset(c);
  } else {
    auto* c = new veltaiq::UserControl1;
    QVERIFY(!c->designMode());
    control.reset(c);
  }
  control->show();
  QTRY_VERIFY(!watch.seen.isEmpty());
  QVERIFY2(watch.seen.first().contains(QStringLiteral("You are missing file: ") + empty_->path() +
                                        QStringLiteral("/hBTCatalog.ini")),
           qPrintable(watch.seen.first()));
}

void tst_DesignerPlugin::variantPropertiesAreTextInThePropertySheet_data() {
  QTest::addColumn<QString>("className");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QVariant>("fresh");  // what a new control holds
  QTest::addColumn<QString>("typed");   // what the designer types
  QTest::newRow("order xPONum") << "veltaorder::UserControl1" << "xPONum" << QVariant(0) << "00123";
  QTest::newRow("order xPOSuccess") << "veltaorder::UserControl1" << "xPOSuccess" << QVariant(0) << "1";
  QTest::newRow("inquiry xPart") << "veltaiq::UserControl1" << "xPart" << QVariant(0) << "PH3600";
  QTest::newRow("inquiry xDesc") << "veltaiq::UserControl1" << "xDesc" << QVariant(0) << "OIL FILTER, SPIN ON";
  QTest::newRow("inquiry xQty") << "veltaiq::UserControl1" << "xQty" << QVariant(0) << "2";
  QTest::newRow("inquiry xLine") << "veltaiq::UserControl1" << "xLine" << QVariant(0) << "FLT";
  QTest::newRow("inquiry xVendor") << "veltaiq::UserControl1" << "xVendor" << QVariant(0) << "1207";
}

void tst_DesignerPlugin::variantPropertiesAreTextInThePropertySheet() {
  QFETCH(QString, className);
  QFETCH(QString, name);
  QFETCH(QVariant, fresh);
  QFETCH(QString, typed);
  QDesignerCustomWidgetInterface* w = widget(className);
  QVERIFY(w);
  std::unique_ptr<QWidget> control(w->createWidget(nullptr));
  QCOMPARE(control->property(name.toLatin1()), fresh);

  auto* sheet = qt_extension<QDesignerPropertySheetExtension*>(core_->extensionManager(), control.get());
  QVERIFY(sheet);
  QVERIFY(!dynamic_cast<MetaObjectSheet*>(sheet));
  // Every property is listed as Designer's sheet lists it.
  QCOMPARE(sheet->count(), control->metaObject()->propertyCount());
  const int index = sheet->indexOf(name);
  QVERIFY(index >= 0);
  QCOMPARE(sheet->propertyName(index), name);
  QVERIFY(sheet->isVisible(index));
  // Presented as text marked untranslatable, for the editor's text field and
  // for Designer's form writer (notr="true").
  PresentedText shown = presentedText(sheet->property(index));
  QVERIFY(shown.isStringValue);
  QCOMPARE(shown.text, fresh.toString());
  QVERIFY(!shown.translatable);
  // What is typed reaches the control as that text, and reads back the same.
  QVERIFY(!sheet->isChanged(index));
  sheet->setProperty(index, typed);
  QVERIFY(sheet->isChanged(index));
  QCOMPARE(control->property(name.toLatin1()), QVariant(typed));
  shown = presentedText(sheet->property(index));
  QCOMPARE(shown.text, typed);
  QVERIFY(!shown.translatable);
  // The editor's string value, even one marked translatable, is kept as the
  // plain text and presented untranslatable again.
  const QString edited = typed + QStringLiteral("9");
  sheet->setProperty(index, QVariant::fromValue(PropertySheetStringValue(edited, /*translatable=*/true)));
  QCOMPARE(control->property(name.toLatin1()), QVariant(edited));
  shown = presentedText(sheet->property(index));
  QCOMPARE(shown.text, edited);
  QVERIFY(!shown.translatable);
  // A property of another type is left as it is.
  const int timeout = sheet->indexOf(QStringLiteral("connectTimeout"));
  QVERIFY(timeout >= 0);
  QCOMPARE(sheet->property(timeout).typeId(), int(QMetaType::Double));
  QCOMPARE(sheet->property(timeout).toDouble(), 15.0);
}

void tst_DesignerPlugin::otherObjectsKeepDesignersSheet() {
  QWidget plain;
  auto* sheet = qt_extension<QDesignerPropertySheetExtension*>(core_->extensionManager(), &plain);
  QVERIFY(dynamic_cast<MetaObjectSheet*>(sheet));
}

QTEST_MAIN(tst_DesignerPlugin)
#include "tst_designerplugin.moc"
