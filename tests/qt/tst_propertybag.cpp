// Property bags: what goes in comes back, with its kind.
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "qt/MemoryPropertyBag.h"
#include "qt/SettingsPropertyBag.h"

using velta::qt::MemoryPropertyBag;
using velta::qt::SettingsPropertyBag;

namespace {
QString latin1(const char* bytes) { return QString::fromLatin1(bytes); }
}  // namespace

class PropertyBagTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QString file() const { return dir_.filePath(QStringLiteral("workstation.ini")); }

  void values_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("stored");
    QTest::newRow("number") << QVariant(1234) << QStringLiteral("n:1234");
    QTest::newRow("negative number") << QVariant(-5) << QStringLiteral("n:-5");
    QTest::newRow("fraction") << QVariant(2.5) << QStringLiteral("n:2.5");
    QTest::newRow("fraction 0.1 exactly") << QVariant(0.1) << QStringLiteral("n:0.1");
    QTest::newRow("large whole") << QVariant(qlonglong(5000000000LL)) << QStringLiteral("n:5000000000");
    QTest::newRow("text with leading zeros") << QVariant(QStringLiteral("00123")) << QStringLiteral("t:00123");
    QTest::newRow("text that looks like a number") << QVariant(QStringLiteral("1234")) << QStringLiteral("t:1234");
    QTest::newRow("text looking tagged") << QVariant(QStringLiteral("n:5")) << QStringLiteral("t:n:5");
    QTest::newRow("empty text") << QVariant(QString()) << QStringLiteral("t:");
    QTest::newRow("blanks around") << QVariant(QStringLiteral("  PO 7  ")) << QStringLiteral("t:  PO 7  ");
    QTest::newRow("colon inside") << QVariant(QStringLiteral("a:b:c")) << QStringLiteral("t:a:b:c");
    QTest::newRow("comma") << QVariant(QStringLiteral("a, b")) << QStringLiteral("t:a, b");
    QTest::newRow("semicolon and equals") << QVariant(QStringLiteral("x;y=z")) << QStringLiteral("t:x;y=z");
    QTest::newRow("quotes and backslash") << QVariant(QStringLiteral("\"q\" \\n")) << QStringLiteral("t:\"q\" \\n");
    QTest::newRow("control characters") << QVariant(QStringLiteral("a\tb\r\nc")) << QStringLiteral("t:a\tb\r\nc");
    QTest::newRow("latin-1") << QVariant(latin1("Gr\xFC\xDF" "e \xE9\xFF")) << latin1("t:Gr\xFC\xDF" "e \xE9\xFF");
    QTest::newRow("brackets") << QVariant(QStringLiteral("[UserControl1]")) << QStringLiteral("t:[UserControl1]");
  }

 private slots:
  void settingsRoundTrip_data() { values_data(); }
  void settingsRoundTrip() {
    QFETCH(QVariant, value);
    QFETCH(QString, stored);
    QFile::remove(file());
    {
      SettingsPropertyBag bag(file(), QStringLiteral("UserControl1"));
      bag.writeProperty(QStringLiteral("xPONum"), value, QVariant(0));
      QVERIFY(bag.sync());
    }
    // The file holds the tagged text...
    QSettings raw(file(), QSettings::IniFormat);
    QCOMPARE(raw.value(QStringLiteral("UserControl1/xPONum")).toString(), stored);
    // ...and a new bag on the same file gives back the same kind and value.
    SettingsPropertyBag again(file(), QStringLiteral("UserControl1"));
    const QVariant read = again.readProperty(QStringLiteral("xPONum"), QVariant(0));
    QCOMPARE(velta::qt::isNumberProperty(read), velta::qt::isNumberProperty(value));
    if (velta::qt::isNumberProperty(value)) {
      QCOMPARE(read.toDouble(), value.toDouble());
    } else {
      QCOMPARE(read.typeId(), int(QMetaType::QString));
      QCOMPARE(read.toString(), value.toString());
    }
  }

  void settingsNumbersComeBackWhole() {
    QFile::remove(file());
    SettingsPropertyBag bag(file(), QStringLiteral("UserControl1"));
    bag.writeProperty(QStringLiteral("xPOSuccess"), QVariant(1), QVariant(0));
    QVERIFY(bag.sync());
    SettingsPropertyBag again(file(), QStringLiteral("UserControl1"));
    const QVariant read = again.readProperty(QStringLiteral("xPOSuccess"), QVariant(0));
    QCOMPARE(read.typeId(), int(QMetaType::Int));
    QCOMPARE(read.toInt(), 1);
  }

  void settingsDefaults() {
    QFile::remove(file());
    SettingsPropertyBag bag(file(), QStringLiteral("UserControl1"));
    // Nothing stored: the default, of the default's kind.
    QCOMPARE(bag.readProperty(QStringLiteral("xPONum"), QVariant(0)), QVariant(0));
    // A value equal to its default is not kept; a stored one is removed.
    bag.writeProperty(QStringLiteral("xPONum"), QVariant(77), QVariant(0));
    QVERIFY(bag.sync());
    QVERIFY(QSettings(file(), QSettings::IniFormat).contains(QStringLiteral("UserControl1/xPONum")));
    bag.writeProperty(QStringLiteral("xPONum"), QVariant(0.0), QVariant(0));
    QVERIFY(bag.sync());
    QVERIFY(!QSettings(file(), QSettings::IniFormat).contains(QStringLiteral("UserControl1/xPONum")));
    // The text "0" is not the number 0: it is kept, as a text.
    bag.writeProperty(QStringLiteral("xPONum"), QVariant(QStringLiteral("0")), QVariant(0));
    QVERIFY(bag.sync());
    QCOMPARE(QSettings(file(), QSettings::IniFormat).value(QStringLiteral("UserControl1/xPONum")).toString(),
             QStringLiteral("t:0"));
  }

  void settingsSectionsApart() {
    QFile::remove(file());
    SettingsPropertyBag order(file(), QStringLiteral("UserControl1"));
    SettingsPropertyBag inquiry(file(), QStringLiteral("veltaiq"));
    order.writeProperty(QStringLiteral("x"), QVariant(1), QVariant(0));
    inquiry.writeProperty(QStringLiteral("x"), QVariant(QStringLiteral("two")), QVariant(0));
    QVERIFY(order.sync());
    QVERIFY(inquiry.sync());
    QCOMPARE(SettingsPropertyBag(file(), QStringLiteral("UserControl1")).readProperty(QStringLiteral("x"), 0), QVariant(1));
    QCOMPARE(SettingsPropertyBag(file(), QStringLiteral("veltaiq")).readProperty(QStringLiteral("x"), 0),
             QVariant(QStringLiteral("two")));
  }

  void settingsForeignValues_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("untagged") << QStringLiteral("xPONum=1234");
    QTest::newRow("unknown tag") << QStringLiteral("xPONum=d:2026-01-01");
    QTest::newRow("number tag, no number") << QStringLiteral("xPONum=n:12a");
    QTest::newRow("number tag, nothing") << QStringLiteral("xPONum=n:");
    QTest::newRow("a list") << QStringLiteral("xPONum=n:1,2");
  }
  void settingsForeignValues() {
    QFETCH(QString, line);
    QFile out(file());
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(("[UserControl1]\n" + line + "\n").toLatin1());
    out.close();
    SettingsPropertyBag bag(file(), QStringLiteral("UserControl1"));
    QCOMPARE(bag.readProperty(QStringLiteral("xPONum"), QVariant(0)), QVariant(0));
  }

  void settingsUnwritable() {
    SettingsPropertyBag bag(QStringLiteral("/proc/velta-no-such-dir/workstation.ini"), QStringLiteral("UserControl1"));
    bag.writeProperty(QStringLiteral("xPONum"), QVariant(1), QVariant(0));
    QVERIFY(!bag.sync());
  }

  void decode_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("whole") << QStringLiteral("n:1234") << QVariant(1234);
    QTest::newRow("whole written with a point") << QStringLiteral("n:12.0") << QVariant(12);
    QTest::newRow("exponent") << QStringLiteral("n:1e3") << QVariant(1000);
    QTest::newRow("fraction") << QStringLiteral("n:-0.25") << QVariant(-0.25);
    QTest::newRow("text") << QStringLiteral("t: 7") << QVariant(QStringLiteral(" 7"));
    QTest::newRow("no tag") << QStringLiteral("7") << QVariant();
    QTest::newRow("upper-case tag") << QStringLiteral("N:7") << QVariant();
  }
  void decode() {
    QFETCH(QString, stored);
    QFETCH(QVariant, value);
    const QVariant got = SettingsPropertyBag::decode(stored);
    QCOMPARE(got.typeId(), value.typeId());
    QCOMPARE(got, value);
  }

  void memoryRoundTrip_data() { values_data(); }
  void memoryRoundTrip() {
    QFETCH(QVariant, value);
    MemoryPropertyBag bag;
    bag.writeProperty(QStringLiteral("xPart"), value, QVariant(0));
    const QVariant read = bag.readProperty(QStringLiteral("xPart"), QVariant(0));
    QCOMPARE(read.typeId(), value.typeId());
    QCOMPARE(read, value);
  }

  void memoryDefaults() {
    MemoryPropertyBag bag;
    QCOMPARE(bag.readProperty(QStringLiteral("xQty"), QVariant(0)), QVariant(0));
    bag.writeProperty(QStringLiteral("xQty"), QVariant(0), QVariant(0));
    QVERIFY(!bag.contains(QStringLiteral("xQty")));
    bag.writeProperty(QStringLiteral("xQty"), QVariant(QStringLiteral("0")), QVariant(0));
    QVERIFY(bag.contains(QStringLiteral("xQty")));
    bag.writeProperty(QStringLiteral("xQty"), QVariant(0), QVariant(0));
    QVERIFY(!bag.contains(QStringLiteral("xQty")));
  }

  void sameProperty_data() {
    QTest::addColumn<QVariant>("a");
    QTest::addColumn<QVariant>("b");
    QTest::addColumn<bool>("same");
    QTest::newRow("0 and 0.0") << QVariant(0) << QVariant(0.0) << true;
    QTest::newRow("0 and \"0\"") << QVariant(0) << QVariant(QStringLiteral("0")) << false;
    QTest::newRow("\"a\" and \"a\"") << QVariant(QStringLiteral("a")) << QVariant(QStringLiteral("a")) << true;
    QTest::newRow("\"a\" and \"a \"") << QVariant(QStringLiteral("a")) << QVariant(QStringLiteral("a ")) << false;
    QTest::newRow("none and none") << QVariant() << QVariant() << true;
    QTest::newRow("none and 0") << QVariant() << QVariant(0) << false;
    QTest::newRow("none and empty text") << QVariant() << QVariant(QString()) << false;
    QTest::newRow("1 and 2") << QVariant(1) << QVariant(2) << false;
  }
  void sameProperty() {
    QFETCH(QVariant, a);
    QFETCH(QVariant, b);
    QFETCH(bool, same);
    QCOMPARE(velta::qt::sameProperty(a, b), same);
    QCOMPARE(velta::qt::sameProperty(b, a), same);
  }
};

QTEST_MAIN(PropertyBagTest)
#include "tst_propertybag.moc"
