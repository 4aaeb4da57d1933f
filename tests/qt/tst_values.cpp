// Tagged value <-> QVariant, Latin-1 both ways, twips.
#include <QDate>
#include <QWidget>
#include <QtTest>

#include "base/Calendar.h"
#include "base/Value.h"
#include "qt/Latin1.h"
#include "qt/Twips.h"
#include "qt/ValueVariant.h"

using velta::Value;
using velta::qt::toValue;
using velta::qt::toVariant;

Q_DECLARE_METATYPE(velta::Value)

namespace {
QString latin1(const char* bytes) { return QString::fromLatin1(bytes); }
}  // namespace

class ValuesTest : public QObject {
  Q_OBJECT

 private slots:
  void valueToVariant_data() {
    QTest::addColumn<Value>("value");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<int>("type");
    QTest::newRow("empty") << Value() << QVariant() << int(QMetaType::UnknownType);
    QTest::newRow("zero") << Value(0) << QVariant(0) << int(QMetaType::Int);
    QTest::newRow("integer") << Value(1234) << QVariant(1234) << int(QMetaType::Int);
    QTest::newRow("negative") << Value(-7) << QVariant(-7) << int(QMetaType::Int);
    QTest::newRow("int max") << Value(2147483647) << QVariant(2147483647) << int(QMetaType::Int);
    QTest::newRow("beyond int") << Value(4294967296.0) << QVariant(qlonglong(4294967296LL)) << int(QMetaType::LongLong);
    QTest::newRow("fraction") << Value(2.5) << QVariant(2.5) << int(QMetaType::Double);
    QTest::newRow("tiny fraction") << Value(0.1) << QVariant(0.1) << int(QMetaType::Double);
    QTest::newRow("huge") << Value(1e300) << QVariant(1e300) << int(QMetaType::Double);
    QTest::newRow("minus zero stays double") << Value(-0.0) << QVariant(-0.0) << int(QMetaType::Double);
    QTest::newRow("text of digits") << Value("00123") << QVariant(QStringLiteral("00123")) << int(QMetaType::QString);
    QTest::newRow("text number-like") << Value("1234") << QVariant(QStringLiteral("1234")) << int(QMetaType::QString);
    QTest::newRow("empty text") << Value("") << QVariant(QString()) << int(QMetaType::QString);
    QTest::newRow("latin-1 bytes") << Value(std::string("caf\xE9 \xFF", 6)) << QVariant(latin1("caf\xE9 \xFF"))
                                   << int(QMetaType::QString);
    QTest::newRow("NUL inside") << Value(std::string("a\0b", 3)) << QVariant(QString(QStringLiteral("a") + QChar(0) + "b"))
                                << int(QMetaType::QString);
    QTest::newRow("date") << Value(*velta::makeDate(2026, 12, 8)) << QVariant(QDate(2026, 12, 8)) << int(QMetaType::QDate);
  }
  void valueToVariant() {
    QFETCH(Value, value);
    QFETCH(QVariant, expected);
    QFETCH(int, type);
    const QVariant got = toVariant(value);
    QCOMPARE(got.typeId(), type);
    QCOMPARE(got, expected);
    // And back, unchanged.
    QVERIFY(toValue(got) == value);
  }

  void variantToValue_data() {
    QTest::addColumn<QVariant>("variant");
    QTest::addColumn<Value>("expected");
    QTest::newRow("invalid") << QVariant() << Value();
    QTest::newRow("int") << QVariant(42) << Value(42);
    QTest::newRow("uint") << QVariant(4000000000u) << Value(4000000000.0);
    QTest::newRow("longlong") << QVariant(qlonglong(-5000000000LL)) << Value(-5000000000.0);
    QTest::newRow("double") << QVariant(-12.5) << Value(-12.5);
    QTest::newRow("bool true") << QVariant(true) << Value(-1);
    QTest::newRow("bool false") << QVariant(false) << Value(0);
    QTest::newRow("string") << QVariant(QStringLiteral(" 00123 ")) << Value(" 00123 ");
    QTest::newRow("string latin-1") << QVariant(latin1("\xC4\xD6\xDC")) << Value(std::string("\xC4\xD6\xDC"));
    QTest::newRow("string above latin-1") << QVariant(QStringLiteral("a\u20ACb")) << Value("a?b");
    QTest::newRow("bytes") << QVariant(QByteArray("\x01\x80", 2)) << Value(std::string("\x01\x80", 2));
    QTest::newRow("date") << QVariant(QDate(1968, 1, 1)) << Value(velta::kNullDate);
  }
  void variantToValue() {
    QFETCH(QVariant, variant);
    QFETCH(Value, expected);
    QVERIFY2(toValue(variant) == expected, qPrintable(QString::fromStdString(toValue(variant).toText())));
  }

  void latin1RoundTrip() {
    std::string every;
    for (int b = 0; b < 256; ++b) every.push_back(static_cast<char>(b));
    const QString text = velta::qt::fromLatin1(every);
    QCOMPARE(text.size(), qsizetype(256));
    for (int b = 0; b < 256; ++b) QCOMPARE(text[b].unicode(), char16_t(b));
    QVERIFY(velta::qt::isLatin1(text));
    QCOMPARE(velta::qt::toLatin1(text), every);
  }

  void latin1Refusal_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("latin1");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QString() << true << QByteArray();
    QTest::newRow("y diaeresis U+00FF") << QString(QChar(0xFF)) << true << QByteArray("\xFF");
    QTest::newRow("euro U+20AC") << QStringLiteral("1\u20AC") << false << QByteArray("1?");
    QTest::newRow("OE ligature U+0152") << QString(QChar(0x152)) << false << QByteArray("?");
    QTest::newRow("surrogate pair") << QString::fromUcs4(U"\U0001F600") << false << QByteArray("??");
  }
  void latin1Refusal() {
    QFETCH(QString, text);
    QFETCH(bool, latin1);
    QFETCH(QByteArray, bytes);
    QCOMPARE(velta::qt::isLatin1(text), latin1);
    QCOMPARE(QByteArray::fromStdString(velta::qt::toLatin1(text)), bytes);
  }

  void twips_data() {
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("15 twips a pixel") << 15 << 96 << 1;
    QTest::newRow("one inch") << 1440 << 96 << 96;
    QTest::newRow("645") << 645 << 96 << 43;
    QTest::newRow("2895") << 2895 << 96 << 193;
    QTest::newRow("0") << 0 << 96 << 0;
    QTest::newRow("7 twips, under half a pixel") << 7 << 96 << 0;
    QTest::newRow("8 twips, over half a pixel") << 8 << 96 << 1;
    QTest::newRow("120 dpi") << 1440 << 120 << 120;
    QTest::newRow("144 dpi") << 645 << 144 << 65;
  }
  void twips() {
    QFETCH(int, twips);
    QFETCH(int, dpi);
    QFETCH(int, pixels);
    QCOMPARE(velta::qt::twipsToPixels(twips, dpi), pixels);
  }

  void twipsOfWidget() {
    QWidget widget;
    QCOMPARE(velta::qt::twipsToPixels(&widget, 2895), velta::qt::twipsToPixels(2895, widget.logicalDpiX()));
    QCOMPARE(velta::qt::twipsToPixels(nullptr, 2895), 193);
  }
};

QTEST_MAIN(ValuesTest)
#include "tst_values.moc"
