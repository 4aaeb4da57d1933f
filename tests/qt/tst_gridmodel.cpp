// What the grid keeps behind its view: cells as bytes or strings, the
// buffer's upkeep, and the widths it counts kept true through any changes.
#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>

#include "qt/GridCells.h"
#include "qt/GridModel.h"
#include "qt/GridWidths.h"
#include "qt/TextWidths.h"

using velta::qt::GridCells;
using velta::qt::GridModel;

namespace {

// Widths anyone can work out: "W" 12, other characters 4 to 8, bold one more
// a character; the bound two above, and none for a text with "~".
int widthOf(QStringView text, bool bold) {
  int width = 0;
  for (QChar c : text) width += (c == QLatin1Char('W') ? 12 : 4 + c.unicode() % 5) + (bold ? 1 : 0);
  return width;
}

class KnownWidths : public velta::qt::TextWidths {
 public:
  int width(const QString& text, bool bold) override {
    ++laidOut;
    return widthOf(text, bold);
  }
  int upperBound(QLatin1String text, bool bold) override { return upperBound(QString(text), bold); }
  int upperBound(QStringView text, bool bold) override {
    return text.contains(QLatin1Char('~')) ? -1 : widthOf(text, bold) + 2;
  }
  int laidOut = 0;
};

}  // namespace

class GridModelTest : public QObject {
  Q_OBJECT

 private slots:
  // Steps on three columns ("add 1|2|3" adds "1" TAB "2" TAB "3", "set ROW COL
  // TEXT", "cols N", "rows N"), then every row's cells joined by "|".
  void cellsAsBytesOrStrings_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("pieces beyond the columns") << QStringList{"add a|b|c|d"} << QStringList{"a|b|c"};
    QTest::newRow("a row rewritten before another")
        << QStringList{"add 1|2|3", "add x", "set 0 1 longer text"} << QStringList{"1|longer text|3", "x||"};
    QTest::newRow("the last row rewritten in place")
        << QStringList{"add 1", "set 0 0 one", "set 0 2 three"} << QStringList{"one||three"};
    QTest::newRow("a cell after the end of its run") << QStringList{"add 1", "set 0 2 z"} << QStringList{"1||z"};
    QTest::newRow("a cell emptied") << QStringList{"add 1|2|3", "set 0 1 "} << QStringList{"1||3"};
    QTest::newRow("a TAB inside a cell") << QStringList{"add 1|2|3", "set 0 0 a\tb", "set 0 2 c"}
                                         << QStringList{"a\tb|2|c"};
    QTest::newRow("beyond Latin-1") << QStringList{QString::fromUtf8("add \u20ac|b"), "set 0 2 z"}
                                    << QStringList{QString::fromUtf8("\u20ac|b|z")};
    QTest::newRow("fewer columns, then more") << QStringList{"add 1|2|3", "cols 1", "cols 3"} << QStringList{"1||"};
    QTest::newRow("fewer columns of a string row")
        << QStringList{QString::fromUtf8("add \u20ac|2|3"), "cols 1", "cols 3"} << QStringList{QString::fromUtf8("\u20ac||")};
    QTest::newRow("rows cut, then new") << QStringList{"add 1|2", "add 3", "rows 1", "rows 2"} << QStringList{"1|2|", "||"};
    QTest::newRow("every row gone") << QStringList{"add 1|2", "rows 0", "add x"} << QStringList{"x||"};
    QTest::newRow("Latin-1 bytes kept") << QStringList{QString::fromLatin1("add \xe9|\xff \xa0")}
                                        << QStringList{QString::fromLatin1("\xe9|\xff \xa0|")};
  }
  void cellsAsBytesOrStrings() {
    QFETCH(QStringList, steps);
    QFETCH(QStringList, rows);
    GridCells cells;
    cells.setColumns(3);
    for (const QString& step : steps) {
      const QString verb = step.section(QLatin1Char(' '), 0, 0);
      const QString rest = step.section(QLatin1Char(' '), 1);
      if (verb == QLatin1String("add")) {
        const QString text = QString(rest).replace(QLatin1Char('|'), QLatin1Char('\t'));
        const QByteArray bytes = text.toLatin1();
        if (QString::fromLatin1(bytes) == text) {
          cells.appendTabbed(QLatin1String(bytes.constData(), bytes.size()));
        } else {
          cells.appendTabbed(QStringView(text));
        }
      } else if (verb == QLatin1String("set")) {
        cells.setText(rest.section(QLatin1Char(' '), 0, 0).toInt(), rest.section(QLatin1Char(' '), 1, 1).toInt(),
                      rest.section(QLatin1Char(' '), 2));
      } else if (verb == QLatin1String("cols")) {
        cells.setColumns(rest.toInt());
      } else {
        cells.resize(rest.toInt());
      }
    }
    QCOMPARE(cells.rows(), rows.size());
    for (int r = 0; r < cells.rows(); ++r) {
      QStringList texts;
      for (int c = 0; c < cells.columns(); ++c) texts << cells.text(r, c);
      QCOMPARE(texts.join(QLatin1Char('|')), rows[r]);
    }
    QCOMPARE(cells.text(cells.rows(), 0), QString());
    QCOMPARE(cells.text(0, 3), QString());
  }

  void rewrittenRowsDoNotGrowTheBuffer() {
    GridCells cells;
    cells.setColumns(2);
    for (int r = 0; r < 1000; ++r) cells.appendTabbed(QLatin1String("some part\tsome description"));
    const qsizetype live = cells.bufferBytes();
    const QString longer(100, QLatin1Char('x'));
    for (int i = 0; i < 20000; ++i) cells.setText(i % 500, 1, longer + QString::number(i));
    QCOMPARE(cells.text(499, 1), longer + QString::number(19999));
    QCOMPARE(cells.text(999, 1), QStringLiteral("some description"));
    QVERIFY2(cells.bufferBytes() < 4 * (live + 500 * 110) + 128 * 1024, qPrintable(QString::number(cells.bufferBytes())));
  }

  // Counts of widths below and above the table of usual widths, taken out
  // again down to none; taking out what was never counted changes nothing.
  void widestAsCellsComeAndGo() {
    velta::qt::GridWidths widths;
    widths.setColumns(2);
    QCOMPARE(widths.widest(0, true), -1);
    for (int width : {100, 5000, 4095, 70000, 5000, 0}) widths.count(0, width, true);
    widths.count(0, 90000, false);
    const QList<QPair<int, int>> steps{{42, 70000}, {70000, 5000}, {5000, 5000}, {5000, 4095},
                                       {4095, 100}, {100, 0},       {0, -1}};
    for (const auto& [out, widest] : steps) {
      widths.uncount(0, out, true);
      QCOMPARE(widths.widest(0, true), widest);
    }
    QCOMPARE(widths.widest(0, false), 90000);
    QCOMPARE(widths.widest(1, true), -1);
  }

  // Any mix of added rows, changed texts and fonts and cut rows: each
  // column's widest counted is the widest of all its cells, as worked out
  // afresh; the rows counted once are not laid out again for it.
  void countedWidthsStayTrue_data() {
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 2u, 3u, 4u, 5u}) QTest::newRow(qPrintable(QString::number(seed))) << seed;
  }
  void countedWidthsStayTrue() {
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    KnownWidths widths;
    GridModel model(widths);
    model.setGridCols(3);
    const QString alphabet = QStringLiteral("abW x~");
    const auto text = [&] {
      QString t;
      const int length = random.bounded(10);
      for (int i = 0; i < length; ++i) t += alphabet[random.bounded(alphabet.size() - (random.bounded(8) ? 1 : 0))];
      return t;
    };
    for (int step = 0; step < 3000; ++step) {
      const int rows = model.gridRows();
      switch (random.bounded(8)) {
        case 0:
        case 1: {
          const QString row = text() + QLatin1Char('\t') + text() + QLatin1Char('\t') + text();
          model.appendRow(QStringView(row));
          break;
        }
        case 2:
        case 3:
          if (rows > 1) model.setText(1 + random.bounded(rows - 1), random.bounded(3), text());
          break;
        case 4:
          if (rows > 1) model.setBold(1 + random.bounded(rows - 1), random.bounded(3), random.bounded(2) == 1);
          break;
        case 5:
          if (random.bounded(10) == 0) model.setGridRows(std::max(1, rows - random.bounded(4)));
          break;
        default: {
          const QList<int> fitted = model.widestTexts(0, 2);
          for (int c = 0; c < 3; ++c) {
            int widest = -1;
            for (int r = 1; r < model.gridRows(); ++r) {
              const QString cell = model.text(r, c);
              if (!cell.isEmpty()) widest = std::max(widest, widthOf(cell, model.bold(r, c)));
            }
            QCOMPARE(fitted[c], widest);
          }
          // Fitted again at once: nothing new to look at, nothing laid out.
          const int before = widths.laidOut;
          model.widestTexts(0, 2);
          QCOMPARE(widths.laidOut, before);
        }
      }
    }
  }
};

QTEST_MAIN(GridModelTest)
#include "tst_gridmodel.moc"
