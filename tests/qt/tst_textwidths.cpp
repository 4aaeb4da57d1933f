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
  // What is not plain text ("told" false) gets no bound and is not laid out for one.
  void boundsHoldAndAreClose_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("told");
    QTest::newRow("a description") << QStringLiteral("OIL FILTER, SPIN ON") << true;
    QTest::newRow("kerned pairs") << QStringLiteral("AVAVAVAVAV To Ty Wa LT") << true;
    QTest::newRow("wide letters") << QStringLiteral("WWWWWWWWWWWWWWWW") << true;
    QTest::newRow("digits") << QStringLiteral("20261215 1A0013 12345.67") << true;
    QTest::newRow("ligatures") << QStringLiteral("fi fl ffi ffl office") << true;
    QTest::newRow("punctuation") << QStringLiteral("'\"()[]{}.,;:!?-_/\\|@#$%&*") << true;
    QTest::newRow("Latin-1 letters") << QString::fromLatin1("\xc0\xc9\xce\xd5\xdc \xe5\xe7\xf0\xf1\xff \xa0\xdf") << true;
    QTest::newRow("blanks") << QStringLiteral("  a  b   ") << true;
    QTest::newRow("one blank") << QStringLiteral(" ") << true;
    QTest::newRow("TAB") << QStringLiteral("a\tb") << false;
    QTest::newRow("control character") << QStringLiteral("a\x01") << false;
    QTest::newRow("C1 control ending a text for the metrics") << QString::fromLatin1("ab\x9c" "cd") << false;
    QTest::newRow("soft hyphen") << QString::fromLatin1("x\xadY") << false;
    QTest::newRow("beyond Latin-1") << QString::fromUtf8("12 \u20ac") << false;
  }
  void boundsHoldAndAreClose() {
    QFETCH(QString, text);
    QFETCH(bool, told);
    QTableView view;
    FontTextWidths widths(&view);
    for (bool bold : {false, true}) {
      const int width = told ? widths.width(text, bold) : 0;
      const int bound = widths.upperBound(QStringView(text), bold);
      if (!told) QCOMPARE(bound, -1);
      if (!told) continue;
      const QByteArray bytes = text.toLatin1();
      QCOMPARE(widths.upperBound(QLatin1String(bytes.constData(), bytes.size()), bold), bound);
      QVERIFY2(bound >= width && bound <= width + 3, qPrintable(QStringLiteral("%1 for %2").arg(bound).arg(width)));
    }
    QCOMPARE(widths.measurements(), qint64(told ? 2 : 0));
  }

  // A width laid out once is remembered for its font alone, by every widget
  // of the process in that font; another size or weight lays it out anew.
  void widthsAreRememberedForEachFont_data() {
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::newRow("plain") << 0 << false;
    QTest::newRow("bold") << 0 << true;
    QTest::newRow("larger") << 19 << false;
    QTest::newRow("larger, bold") << 19 << true;
  }
  void widthsAreRememberedForEachFont() {
    QFETCH(int, pointSize);
    QFETCH(bool, bold);
    const QString text = QStringLiteral("REMEMBERED %1 %2").arg(pointSize).arg(bold);
    QTableView view, another;
    for (QTableView* v : {&view, &another}) {
      QFont font = v->font();
      if (pointSize > 0) font.setPointSize(pointSize);
      v->setFont(font);
    }
    QFont drawn = view.font();
    drawn.setBold(bold);
    const int expected = QFontMetrics(drawn).horizontalAdvance(text);
    FontTextWidths first(&view), second(&another);
    QCOMPARE(first.width(text, bold), expected);
    QCOMPARE(first.width(text, bold), expected);
    QCOMPARE(second.width(text, bold), expected);
    QCOMPARE(first.measurements() + second.measurements(), qint64(1));
    // The other weight of the same size is a font of its own.
    QCOMPARE(second.width(text, !bold), QFontMetrics([&] {
               QFont other = another.font();
               other.setBold(!bold);
               return other;
             }()).horizontalAdvance(text));
    QCOMPARE(second.measurements(), qint64(1));
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
};

QTEST_MAIN(TextWidthsTest)
#include "tst_textwidths.moc"
