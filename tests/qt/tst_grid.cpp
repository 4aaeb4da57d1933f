// The grid: rows counted with the titles, pieces of added rows, styles, widths,
// rows reaching the view in batches, fitting that looks only at new rows, the keyboard.
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QTableView>
#include <QtTest>
#include <QVBoxLayout>
#include <cstdlib>

#include "qt/Grid.h"
#include "qt/Twips.h"

using velta::qt::Grid;

namespace {

// Empty when column 0 is as wide as the view itself would fit it (within a
// pixel of rounding), else what each makes it.
QString unlikeTheViewsOwnFit(Grid& grid) {
  const int ours = grid.colWidthPixels(0);
  grid.view()->resizeColumnToContents(0);
  const int theViews = grid.colWidthPixels(0);
  grid.view()->setColumnWidth(0, ours);
  return std::abs(ours - theViews) <= 1 ? QString() : QStringLiteral("%1 against %2").arg(ours).arg(theViews);
}

// The grid given its column titles and then its rows, each added as one text.
void fill(Grid& grid, const QStringList& titles, const QStringList& rows) {
  grid.setColumnTitles(titles);
  for (const QString& row : rows) grid.AddItem(row);
}

}  // namespace

class GridTest : public QObject {
  Q_OBJECT

 private slots:
  // Steps ("titles A|B", "add 1|2" adds "1" TAB "2", "set ROW COL TEXT", "rows N", "cols N",
  // "group ROW 1|0", "level ROW N", "bold ROW COL 1|0", "back ROW COL BGR|none") with the grid
  // as it must be between them ("= ..." as dumped: every row from the titles, "*" a group,
  // "+N" its level, each cell's text with " b" when bold and its colour). At each check the
  // view has every row, its headers are the titles, and nothing is read outside the grid.
  void rowsAndColumns_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("fresh") << QStringList{"= ", "titles Item|Line|Part", "= [Item][Line][Part]"};
    // A row added after another, in pieces; the earlier row and the titles are untouched.
    const auto added = [](const char* name, const QString& text, const QString& cells) {
      QTest::newRow(name) << QStringList{"titles A|B|C", "add first|row", "add " + text,
                                         "= [A][B][C] / [first][row][] / " + cells};
    };
    added("as many pieces as columns", "1|ABC|123", "[1][ABC][123]");
    added("fewer pieces", "1|ABC", "[1][ABC][]");
    added("one piece", "only", "[only][][]");
    added("nothing", "", "[][][]");
    added("more pieces", "1|2|3|4|5", "[1][2][3]");
    added("trailing tab", "a|b|c|", "[a][b][c]");
    added("leading tab", "|b|c", "[][b][c]");
    added("blanks kept", " a |  |c ", "[ a ][  ][c ]");
    // Rows counted with the titles; rows that come back are fresh: empty, not a group, level 0.
    QTest::newRow("rows") << QStringList{"titles A|B", "add 1|2", "add 3|4", "group 2 1", "level 2 1",
                                         "= [A][B] / [1][2] / *+1[3][4]", "rows 1", "= [A][B]",
                                         "rows 3", "= [A][B] / [][] / [][]", "rows 0", "= [A][B]"};
    QTest::newRow("outside") << QStringList{"titles A", "add x", "set 5 0 ignored", "= [A] / [x]",
                                            "set 1 0 y", "set 0 0 Title", "= [Title] / [y]"};
    QTest::newRow("columns keep their cells")
        << QStringList{"titles A|B", "add 1|2", "cols 4", "= [A][B][][] / [1][2][][]",
                       "set 1 3 new", "= [A][B][][] / [1][2][][new]", "cols 1", "= [A] / [1]"};
    QTest::newRow("outline and group")
        << QStringList{"titles A|B", "add order line", "group 1 1", "level 1 0", "add |shipment", "group 2 0",
                       "level 2 1", "= [A][B] / *[order line][] / +1[][shipment]"};
    // The text stays; the colour goes again.
    QTest::newRow("colour and bold")
        << QStringList{"titles A|B|C", "add 1|2|3", "add 4|5|6", "= [A][B][C] / [1][2][3] / [4][5][6]",
                       "back 1 0 C0E0FF", "back 1 1 C0E0FF", "back 1 2 C0E0FF", "bold 1 0 1", "bold 1 1 1", "bold 1 2 1",
                       "= [A][B][C] / [1 b #ffffe0c0][2 b #ffffe0c0][3 b #ffffe0c0] / [4][5][6]", "back 1 1 none",
                       "= [A][B][C] / [1 b #ffffe0c0][2 b][3 b #ffffe0c0] / [4][5][6]", "bold 1 1 0",
                       "= [A][B][C] / [1 b #ffffe0c0][2][3 b #ffffe0c0] / [4][5][6]"};
  }
  void rowsAndColumns() { runSteps(); }

  void fromBgr_data() {
    QTest::addColumn<quint32>("bgr");
    QTest::addColumn<QString>("rgb");
    QTest::newRow("&H00C0E0FF&") << quint32(0x00C0E0FF) << QStringLiteral("#ffe0c0");
    QTest::newRow("red") << quint32(0x000000FF) << QStringLiteral("#ff0000");
    QTest::newRow("blue") << quint32(0x00FF0000) << QStringLiteral("#0000ff");
    QTest::newRow("white") << quint32(0x00FFFFFF) << QStringLiteral("#ffffff");
    QTest::newRow("high byte ignored") << quint32(0x80123456) << QStringLiteral("#563412");
  }
  void fromBgr() {
    QFETCH(quint32, bgr);
    QFETCH(QString, rgb);
    QCOMPARE(velta::qt::fromBgr(bgr).name(QColor::HexRgb), rgb);
  }

  // Widths in twips, except where the title would be cut off: it widens its column.
  void widthsInTwipsUnlessATitleWouldBeCutOff() {
    Grid grid;
    const QString longTitle = QStringLiteral("Alternate Shipment Reason");
    grid.setColumnTitles({"Item", "Line", longTitle});
    for (const auto& [column, twips] : {std::pair{0, 645}, {1, 2895}, {2, 300}}) grid.setColWidthTwips(column, twips);
    const QHeaderView* header = grid.view()->horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int needed = QFontMetrics(header->font()).horizontalAdvance(longTitle) + 2 * margin;
    QVERIFY(needed > velta::qt::twipsToPixels(&grid, 300));
    QCOMPARE(grid.colWidthPixels(0), velta::qt::twipsToPixels(&grid, 645));
    QCOMPARE(grid.colWidthPixels(1), velta::qt::twipsToPixels(&grid, 2895));
    QCOMPARE(grid.colWidthPixels(2), needed);
  }

  void autoSizeCountsTitles() {
    Grid grid;
    const QString longTitle = QStringLiteral("A rather long column title");
    fill(grid, {longTitle, "B", "C"}, {"x\tshort\ty"});
    for (int c = 0; c < 3; ++c) grid.setColWidthTwips(c, 150);  // 10 pixels: far too narrow for the title
    grid.setTextMatrix(1, 1, QStringLiteral("a cell text that is much longer than its title"));
    const int widthOfC = grid.colWidthPixels(2);
    grid.AutoSize(0, 1);
    const QFontMetrics header(grid.view()->horizontalHeader()->font());
    QVERIFY(grid.colWidthPixels(0) >= header.horizontalAdvance(longTitle));
    const QFontMetrics cells(grid.view()->font());
    QVERIFY(grid.colWidthPixels(1) >= cells.horizontalAdvance(grid.TextMatrix(1, 1)));
    // Outside the range nothing changes.
    QCOMPARE(grid.colWidthPixels(2), widthOfC);
    // A range beyond the last column is cut to the grid.
    grid.AutoSize(1, 99);
    grid.AutoSize(-5, 0);
  }

  // Fitted as the table view itself would fit the column (within a pixel of
  // rounding), bold cells measured in bold, repeated texts as often as they come;
  // and after a change to a fitted column or its cells, fitted again as if afresh
  // ("fit" fits column 0 and checks it, "fit wider" also that it grew; "edit ROW
  // COL", "type ROW COL TEXT" as the user, "font" twice as large).
  void autoSizeFitsAsTheViewWould_data() {
    QTest::addColumn<QStringList>("steps");
    const auto fits = [](const char* name, const QStringList& cells, const QStringList& steps) {
      QStringList all{"titles T"};
      for (const QString& cell : cells) all << "add " + cell;
      QTest::newRow(name) << all + steps;
    };
    fits("plain", {"FIL", "1A0013", "OIL FILTER, SPIN ON"}, {"fit"});
    fits("repeated texts", {"12", "12", "12", "WWWWWWWW", "12"}, {"fit"});
    fits("the widest in bold", {"iiii", "WIDE TEXT IN BOLD", "WIDE TEXT IN BOLD"}, {"bold 2 0 1", "fit"});
    fits("empty cells", {"", "", "x"}, {"fit"});
    fits("Latin-1 letters", {QString::fromLatin1("B\xc4R \xd8L \xc9T\xc9")}, {"fit"});
    const QStringList cells{"WWWWWWWWWW", "ab", "abc def", "WWWW"};
    const auto changed = [&](const char* name, const QStringList& change) {
      fits(name, cells, QStringList{"edit 2 0", "fit"} + change + QStringList{"fit"});
    };
    changed("the widest shortened", {"set 1 0 a"});
    changed("another made the widest", {"set 3 0 WWWWWWWWWWWWWWWWWW"});
    changed("the widest emptied", {"set 1 0 "});
    changed("the widest made bold", {"bold 1 0 1"});
    changed("a narrow one in bold", {"bold 2 0 1"});
    fits("bold taken off the widest", cells, {"bold 1 0 1", "edit 2 0", "fit", "bold 1 0 0", "fit"});
    changed("the widest row cut off", {"rows 2", "add x"});
    changed("every row gone, one new", {"rows 1", "add x"});
    changed("typed by the user", {"type 2 0 WWWWWWWWWWWWWWWWWWWWWW typed"});
    changed("a character beyond Latin-1", {QString::fromUtf8("set 2 0 \u20ac\u20ac\u20ac WWWWWWWWWWWW")});
    changed("a TAB inside a cell", {"set 4 0 WWWWW\tWWWWWWWWW"});
    fits("a new font, measured anew", {"OIL FILTER, SPIN ON", "AVAVAV To", "12"},
         {"bold 2 0 1", "fit", "font", "fit wider"});
  }
  void autoSizeFitsAsTheViewWould() { runSteps(); }

  void redraw() {
    Grid grid;
    grid.setColumnTitles({"A"});
    QVERIFY(grid.redraw());
    grid.setRedraw(false);
    QVERIFY(!grid.redraw());
    QVERIFY(!grid.view()->updatesEnabled());
    grid.AddItem("1");
    QCOMPARE(grid.Rows(), 2);
    grid.setRedraw(true);
    QVERIFY(grid.redraw());
    QVERIFY(grid.view()->updatesEnabled());
  }

  void editing() {
    Grid grid;
    grid.setColumnTitles({"Line", "Part", "Qty", "Description"});
    grid.setRows(7);
    for (int r = 2; r <= 6; ++r) {
      for (int c = 0; c < 3; ++c) grid.setEditable(r, c, true);
    }
    QVERIFY(!grid.isEditable(1, 0));
    QVERIFY(grid.isEditable(2, 0));
    QVERIFY(grid.isEditable(6, 2));
    QVERIFY(!grid.isEditable(6, 3));
    QVERIFY(!grid.isEditable(0, 0));
    grid.setEditable(0, 0, true);  // titles are never editable
    QVERIFY(!grid.isEditable(0, 0));

    QSignalSpy edited(&grid, &Grid::cellEdited);
    // Code that sets a text is not the user.
    grid.setTextMatrix(2, 1, QStringLiteral("by code"));
    grid.AddItem("x");
    QCOMPARE(edited.count(), 0);
    // The user types into row 3, column 1 (the view's row 2).
    QAbstractItemModel* model = grid.view()->model();
    QVERIFY(model->setData(model->index(2, 1), QStringLiteral("12345")));
    QCOMPARE(edited.count(), 1);
    QCOMPARE(edited[0][0].toInt(), 3);
    QCOMPARE(edited[0][1].toInt(), 1);
    QCOMPARE(grid.TextMatrix(3, 1), QStringLiteral("12345"));
    // The same text again is no edit; a cell that is not editable takes nothing.
    QVERIFY(model->setData(model->index(2, 1), QStringLiteral("12345")));
    QCOMPARE(edited.count(), 1);
    QVERIFY(!model->setData(model->index(0, 3), QStringLiteral("no")));
    QCOMPARE(grid.TextMatrix(1, 3), QString());
    QCOMPARE(edited.count(), 1);
  }
  void aNewTitleIsFittedAnew() {
    Grid grid;
    fill(grid, {"A", "B"}, {"x\ty"});
    grid.AutoSize(0, 1);
    const int narrow = grid.colWidthPixels(1);
    grid.setTextMatrix(0, 1, QStringLiteral("A much longer title than before"));
    grid.AutoSize(0, 1);
    QVERIFY(grid.colWidthPixels(1) > narrow);
    QCOMPARE(grid.colWidthPixels(1), grid.view()->horizontalHeader()->sectionSizeHint(1));
    grid.setCols(3);
    grid.setTextMatrix(0, 2, QStringLiteral("A third column's long title"));
    grid.AutoSize(2, 2);
    QCOMPARE(grid.colWidthPixels(2), grid.view()->horizontalHeader()->sectionSizeHint(2));
  }

  void autoSizeLooksOnlyAtRowsItHasNotSeen() {
    Grid grid;
    grid.setColumnTitles({"A", "B"});
    // Texts of many widths, as descriptions and part numbers are.
    for (int i = 0; i < 300; ++i) {
      grid.AddItem(QString(1 + i % 40, QChar('a' + i % 26)) + QLatin1Char('\t') + QString(1 + i % 17, QChar('A' + i % 23)));
    }
    grid.AutoSize(0, 1);
    const qint64 first = grid.widthMeasurements();
    QVERIFY(first > 0);
    // Texts that cannot be the widest are not laid out at all.
    QVERIFY2(first < 300, qPrintable(QString::number(first)));
    grid.AutoSize(0, 1);
    QCOMPARE(grid.widthMeasurements(), first);
    for (int i = 0; i < 10; ++i) grid.AddItem(QStringLiteral("new %1\tnew").arg(i));
    grid.AutoSize(0, 1);
    QVERIFY(grid.widthMeasurements() - first <= 20);
  }

  void rowsReachTheViewInOneInsertion() {
    Grid grid;
    grid.setColumnTitles({"A"});
    QAbstractItemModel* model = grid.view()->model();
    QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
    grid.setRedraw(false);
    for (int i = 0; i < 1000; ++i) grid.AddItem(QString::number(i));
    QCOMPARE(grid.Rows(), 1001);
    QCOMPARE(grid.TextMatrix(1000, 0), QStringLiteral("999"));
    QCOMPARE(model->rowCount(), 0);
    grid.setRedraw(true);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted[0][1].toInt(), 0);
    QCOMPARE(inserted[0][2].toInt(), 999);
    // Not on the screen: rows added with repainting on come together, when
    // the view is asked for or when the event loop turns.
    for (int i = 0; i < 10; ++i) grid.AddItem(QStringLiteral("later"));
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(grid.view()->model()->rowCount(), 1010);
    QCOMPARE(inserted.count(), 2);
    grid.setRows(grid.Rows() + 5);
    QCoreApplication::processEvents();
    QCOMPARE(model->rowCount(), 1015);
    QCOMPARE(inserted.count(), 3);
    // Rows that go, go at once.
    grid.setRows(4);
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->data(model->index(2, 0)).toString(), QStringLiteral("2"));
  }

  void tabLeavesTheGridAndArrowsMoveInside() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* before = new QLineEdit(&window);
    auto* grid = new Grid(&window);
    auto* after = new QLineEdit(&window);
    for (QWidget* widget : std::initializer_list<QWidget*>{before, grid, after}) layout->addWidget(widget);
    fill(*grid, {"A", "B"}, {"a\tb", "a\tb", "a\tb"});
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTableView* view = grid->view();
    view->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), view);
    view->setCurrentIndex(view->model()->index(0, 0));
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Right);
    QCOMPARE(view->currentIndex(), view->model()->index(1, 1));
    QTest::keyClick(view, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), after);
    QTest::keyClick(after, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), view);
    QTest::keyClick(view, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), before);
  }

 private:
  // Runs the test's "steps" on a grid of its own.
  void runSteps() {
    QFETCH(QStringList, steps);
    Grid grid;
    int fitted = -1;  // the width of column 0 as last fitted
    for (const QString& step : steps) {
      const QString verb = step.section(QLatin1Char(' '), 0, 0);
      const QString rest = step.section(QLatin1Char(' '), 1);
      const auto number = [&](int i) { return step.section(QLatin1Char(' '), i, i).toInt(); };
      const QString third = step.section(QLatin1Char(' '), 3);
      if (verb == QLatin1String("titles")) grid.setColumnTitles(rest.split(QLatin1Char('|')));
      if (verb == QLatin1String("add")) grid.AddItem(QString(rest).replace(QLatin1Char('|'), QLatin1Char('\t')));
      if (verb == QLatin1String("set")) grid.setTextMatrix(number(1), number(2), third);
      if (verb == QLatin1String("rows")) grid.setRows(number(1));
      if (verb == QLatin1String("cols")) grid.setCols(number(1));
      if (verb == QLatin1String("group")) grid.setIsSubtotal(number(1), number(2) != 0);
      if (verb == QLatin1String("level")) grid.setRowOutlineLevel(number(1), number(2));
      if (verb == QLatin1String("bold")) grid.setCellFontBold(number(1), number(2), number(3) != 0);
      const QColor bgr = third == QLatin1String("none") ? QColor() : velta::qt::fromBgr(third.toUInt(nullptr, 16));
      if (verb == QLatin1String("back")) grid.setCellBackColor(number(1), number(2), bgr);
      if (verb == QLatin1String("edit")) grid.setEditable(number(1), number(2), true);
      // Asked for, the view takes the rows added so far: asked for only by the user and the checks.
      const bool looking = verb == QLatin1String("type") || verb == QLatin1String("=");
      QAbstractItemModel* model = looking ? grid.view()->model() : nullptr;
      if (verb == QLatin1String("type")) QVERIFY(model->setData(model->index(number(1) - 1, number(2)), third));
      QFont larger = grid.font();
      larger.setPointSizeF(larger.pointSizeF() * 2);
      if (verb == QLatin1String("font")) grid.setFont(larger);
      if (verb == QLatin1String("fit")) {
        grid.AutoSize(0, 0);
        if (rest == QLatin1String("wider")) QVERIFY(grid.colWidthPixels(0) > fitted);
        fitted = grid.colWidthPixels(0);
        const QString fault = unlikeTheViewsOwnFit(grid);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
      }
      if (verb != QLatin1String("=")) continue;
      QStringList rows, titles;
      for (int r = 0; r < grid.Rows(); ++r) {
        const int level = grid.rowOutlineLevel(r);
        QString cells = (grid.isSubtotal(r) ? "*" : "") + (level ? QStringLiteral("+%1").arg(level) : QString());
        for (int c = 0; c < grid.Cols(); ++c) {
          const QColor back = grid.cellBackColor(r, c);
          cells += '[' + grid.TextMatrix(r, c) + (grid.cellFontBold(r, c) ? " b" : "") +
                   (back.isValid() ? " " + back.name(QColor::HexArgb) : QString()) + ']';
        }
        rows << cells;
        QCOMPARE(grid.TextMatrix(r, grid.Cols()), QString());
      }
      for (int c = 0; c < grid.Cols(); ++c) titles << grid.TextMatrix(0, c);
      QCOMPARE(rows.join(QStringLiteral(" / ")), rest);
      QCOMPARE(model->rowCount(), grid.Rows() - 1);
      QCOMPARE(grid.TextMatrix(grid.Rows(), 0), QString());
      QCOMPARE(grid.TextMatrix(-1, 0), QString());
      QVERIFY(!grid.isSubtotal(grid.Rows()));
      QCOMPARE(grid.rowOutlineLevel(grid.Rows()), 0);
      QCOMPARE(grid.columnTitles(), titles);
      for (int c = 0; c < grid.Cols(); ++c) {
        QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), titles[c]);
      }
    }
  }
};

QTEST_MAIN(GridTest)
#include "tst_grid.moc"
