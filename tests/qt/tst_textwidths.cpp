// The widths of cell texts: the bound told without laying a text out is never
// below the width the view draws it at, and close above it, in the view's
// font plain and bold; texts it cannot tell get none.
#include <QRandomGenerator>
#include <QTableView>
#include <QtTest>

#include "qt/TextWidths.h"

using velta::qt::FontTextWidths;

class TextWidthsTest : public QObject {
  Q_OBJECT

 private slots:
  void boundsHoldAndAreClose_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("a description") << QStringLiteral("OIL FILTER, SPIN ON");
    QTest::newRow("kerned pairs") << QStringLiteral("AVAVAVAVAV To Ty Wa LT");
    QTest::newRow("wide letters") << QStringLiteral("WWWWWWWWWWWWWWWW");
    QTest::newRow("digits") << QStringLiteral("20261215 1A0013 12345.67");
    QTest::newRow("ligatures") << QStringLiteral("fi fl ffi ffl office");
    QTest::newRow("punctuation") << QStringLiteral("'\"()[]{}.,;:!?-_/\\|@#$%&*");
    QTest::newRow("Latin-1 letters") << QString::fromLatin1("\xc0\xc9\xce\xd5\xdc \xe5\xe7\xf0\xf1\xff \xa0\xdf");
    QTest::newRow("blanks") << QStringLiteral("  a  b   ");
    QTest::newRow("one blank") << QStringLiteral(" ");
  }
  void boundsHoldAndAreClose() {
    QFETCH(QString, text);
    QTableView view;
    FontTextWidths widths(&view);
    for (bool bold : {false, true}) {
      const int width = widths.width(text, bold);
      const QByteArray bytes = text.toLatin1();
      const int bound = widths.upperBound(QLatin1String(bytes.constData(), bytes.size()), bold);
      QCOMPARE(widths.upperBound(QStringView(text), bold), bound);
      QVERIFY2(bound >= width && bound <= width + 3, qPrintable(QStringLiteral("%1 for %2").arg(bound).arg(width)));
    }
    QCOMPARE(widths.measurements(), qint64(2));
  }

  // Texts of every printable Latin-1 character in any order.
  void boundsHoldForAnyLatin1Text() {
    QTableView view;
    FontTextWidths widths(&view);
    QRandomGenerator random(20261208);
    for (int i = 0; i < 3000; ++i) {
      QString text;
      const int length = 1 + random.bounded(24);
      while (text.size() < length) {
        const auto c = static_cast<ushort>(0x20 + random.bounded(0xE0));
        if ((c >= 0x7F && c < 0xA0) || c == 0xAD) continue;
        text += QChar(c);
      }
      const bool bold = i % 2 == 1;
      const int width = widths.width(text, bold);
      const int bound = widths.upperBound(QStringView(text), bold);
      QVERIFY2(bound >= width && bound <= width + 3,
               qPrintable(QStringLiteral("\"%1\": %2 for %3").arg(text).arg(bound).arg(width)));
    }
  }

  void noBoundForWhatIsNotPlainText_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("TAB") << QStringLiteral("a\tb");
    QTest::newRow("control character") << QStringLiteral("a\x01");
    QTest::newRow("C1 control ending a text for the metrics") << QString::fromLatin1("ab\x9c" "cd");
    QTest::newRow("soft hyphen") << QString::fromLatin1("x\xadY");
    QTest::newRow("beyond Latin-1") << QString::fromUtf8("12 \u20ac");
  }
  void noBoundForWhatIsNotPlainText() {
    QFETCH(QString, text);
    QTableView view;
    FontTextWidths widths(&view);
    QCOMPARE(widths.upperBound(QStringView(text), false), -1);
    QCOMPARE(widths.upperBound(QStringView(text), true), -1);
    QCOMPARE(widths.measurements(), qint64(0));
  }
};

QTEST_MAIN(TextWidthsTest)
#include "tst_textwidths.moc"
