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

}  // namespace

class GridTest : public QObject {
  Q_OBJECT

 private slots:
  void freshGrid() {
    Grid grid;
    QCOMPARE(grid.Rows(), 1);
    QCOMPARE(grid.Cols(), 0);
    grid.setColumnTitles({QStringLiteral("Item"), QStringLiteral("Line"), QStringLiteral("Part")});
    QCOMPARE(grid.Rows(), 1);
    QCOMPARE(grid.Cols(), 3);
    QCOMPARE(grid.TextMatrix(0, 0), QStringLiteral("Item"));
    QCOMPARE(grid.TextMatrix(0, 2), QStringLiteral("Part"));
    QCOMPARE(grid.columnTitles(), QStringList({"Item", "Line", "Part"}));
  }

  void addItem_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("as many pieces as columns") << QStringLiteral("1\tABC\t123") << QStringList{"1", "ABC", "123"};
    QTest::newRow("fewer pieces") << QStringLiteral("1\tABC") << QStringList{"1", "ABC", ""};
    QTest::newRow("one piece") << QStringLiteral("only") << QStringList{"only", "", ""};
    QTest::newRow("nothing") << QString() << QStringList{"", "", ""};
    QTest::newRow("more pieces") << QStringLiteral("1\t2\t3\t4\t5") << QStringList{"1", "2", "3"};
    QTest::newRow("trailing tab") << QStringLiteral("a\tb\tc\t") << QStringList{"a", "b", "c"};
    QTest::newRow("leading tab") << QStringLiteral("\tb\tc") << QStringList{"", "b", "c"};
    QTest::newRow("blanks kept") << QStringLiteral(" a \t  \tc ") << QStringList{" a ", "  ", "c "};
  }
  void addItem() {
    QFETCH(QString, text);
    QFETCH(QStringList, cells);
    Grid grid;
    grid.setColumnTitles({"A", "B", "C"});
    grid.AddItem(QStringLiteral("first\trow"));
    grid.AddItem(text);
    QCOMPARE(grid.Rows(), 3);
    for (int c = 0; c < 3; ++c) QCOMPARE(grid.TextMatrix(2, c), cells[c]);
    // The earlier row and the titles are untouched.
    QCOMPARE(grid.TextMatrix(1, 0), QStringLiteral("first"));
    QCOMPARE(grid.TextMatrix(1, 2), QString());
    QCOMPARE(grid.TextMatrix(0, 1), QStringLiteral("B"));
  }

  void setRowsCountsTitleRow() {
    Grid grid;
    grid.setColumnTitles({"A", "B"});
    grid.AddItem("1\t2");
    grid.AddItem("3\t4");
    grid.setIsSubtotal(2, true);
    grid.setRowOutlineLevel(2, 1);
    QCOMPARE(grid.Rows(), 3);
    grid.setRows(1);
    QCOMPARE(grid.Rows(), 1);
    QCOMPARE(grid.TextMatrix(0, 0), QStringLiteral("A"));
    QCOMPARE(grid.view()->model()->rowCount(), 0);
    // Rows that come back are fresh: empty, not a group, level 0.
    grid.setRows(3);
    QCOMPARE(grid.Rows(), 3);
    QCOMPARE(grid.TextMatrix(2, 0), QString());
    QVERIFY(!grid.isSubtotal(2));
    QCOMPARE(grid.rowOutlineLevel(2), 0);
    grid.setRows(0);
    QCOMPARE(grid.Rows(), 1);
  }

  // A cell's bytes without a copy, for rows kept as bytes; none for the
  // titles and for a row that holds a character beyond Latin-1.
  void latin1TextOfRowsKeptAsBytes_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<bool>("told");
    QTest::addColumn<QString>("text");
    QTest::newRow("a cell") << 1 << 1 << true << QStringLiteral("PF52");
    QTest::newRow("an empty cell") << 1 << 2 << true << QString();
    QTest::newRow("a Latin-1 letter") << 2 << 0 << true << QString::fromLatin1("\xc9T\xc9");
    QTest::newRow("edited to a longer text") << 3 << 0 << true << QStringLiteral("EDITED TO BE LONGER");
    QTest::newRow("a row beyond Latin-1") << 4 << 0 << false << QString();
    QTest::newRow("the titles") << 0 << 0 << false << QString();
    QTest::newRow("outside the rows") << 9 << 0 << true << QString();
    QTest::newRow("outside the columns") << 1 << 7 << true << QString();
  }
  void latin1TextOfRowsKeptAsBytes() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(bool, told);
    QFETCH(QString, text);
    Grid grid;
    grid.setColumnTitles({"A", "B", "C"});
    grid.AddItem(QLatin1String("ACD\tPF52"));
    grid.AddItem(QString::fromLatin1("\xc9T\xc9\t2"));
    grid.AddItem(QLatin1String("x\ty"));
    grid.setTextMatrix(3, 0, QStringLiteral("EDITED TO BE LONGER"));
    grid.AddItem(QString::fromUtf8("\u20ac 5\t1"));
    const std::optional<QLatin1String> bytes = grid.latin1Text(row, col);
    QCOMPARE(bytes.has_value(), told);
    if (bytes) QCOMPARE(QString(*bytes), text);
  }

  void textMatrixOutside() {
    Grid grid;
    grid.setColumnTitles({"A"});
    grid.AddItem("x");
    QCOMPARE(grid.TextMatrix(2, 0), QString());
    QCOMPARE(grid.TextMatrix(1, 1), QString());
    QCOMPARE(grid.TextMatrix(-1, 0), QString());
    grid.setTextMatrix(5, 0, "ignored");
    QCOMPARE(grid.Rows(), 2);
    grid.setTextMatrix(1, 0, "y");
    QCOMPARE(grid.TextMatrix(1, 0), QStringLiteral("y"));
    grid.setTextMatrix(0, 0, "Title");
    QCOMPARE(grid.view()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Title"));
  }

  void setColsKeepsCells() {
    Grid grid;
    grid.setColumnTitles({"A", "B"});
    grid.AddItem("1\t2");
    grid.setCols(4);
    QCOMPARE(grid.Cols(), 4);
    QCOMPARE(grid.TextMatrix(1, 1), QStringLiteral("2"));
    grid.setTextMatrix(1, 3, "new");
    QCOMPARE(grid.TextMatrix(1, 3), QStringLiteral("new"));
    grid.setCols(1);
    QCOMPARE(grid.TextMatrix(1, 0), QStringLiteral("1"));
    QCOMPARE(grid.TextMatrix(1, 1), QString());
  }

  void outlineAndGroup() {
    Grid grid;
    grid.setColumnTitles({"A", "B"});
    grid.AddItem("order line");
    grid.setIsSubtotal(grid.Rows() - 1, true);
    grid.setRowOutlineLevel(grid.Rows() - 1, 0);
    grid.AddItem("\tshipment");
    grid.setIsSubtotal(grid.Rows() - 1, false);
    grid.setRowOutlineLevel(grid.Rows() - 1, 1);
    QVERIFY(grid.isSubtotal(1));
    QCOMPARE(grid.rowOutlineLevel(1), 0);
    QVERIFY(!grid.isSubtotal(2));
    QCOMPARE(grid.rowOutlineLevel(2), 1);
    QVERIFY(!grid.isSubtotal(3));  // outside
    QCOMPARE(grid.rowOutlineLevel(3), 0);
  }

  void colourAndBold() {
    Grid grid;
    grid.setColumnTitles({"A", "B", "C"});
    grid.AddItem("1\t2\t3");
    grid.AddItem("4\t5\t6");
    QVERIFY(!grid.cellBackColor(1, 0).isValid());
    QVERIFY(!grid.cellFontBold(1, 0));
    const QColor group = velta::qt::fromBgr(0xC0E0FF);
    for (int c = 0; c < 3; ++c) {
      grid.setCellBackColor(1, c, group);
      grid.setCellFontBold(1, c, true);
    }
    for (int c = 0; c < 3; ++c) {
      QCOMPARE(grid.cellBackColor(1, c), QColor(0xff, 0xe0, 0xc0));
      QVERIFY(grid.cellFontBold(1, c));
      QVERIFY(!grid.cellBackColor(2, c).isValid());
      QVERIFY(!grid.cellFontBold(2, c));
    }
    // The text stays; the colour goes again.
    QCOMPARE(grid.TextMatrix(1, 1), QStringLiteral("2"));
    grid.setCellBackColor(1, 1, QColor());
    QVERIFY(!grid.cellBackColor(1, 1).isValid());
    grid.setCellFontBold(1, 1, false);
    QVERIFY(!grid.cellFontBold(1, 1));
  }

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

  void widthsInTwips() {
    Grid grid;
    grid.setColumnTitles({"Item", "Line"});
    grid.setColWidthTwips(0, 645);
    grid.setColWidthTwips(1, 2895);
    QCOMPARE(grid.colWidthPixels(0), velta::qt::twipsToPixels(&grid, 645));
    QCOMPARE(grid.colWidthPixels(1), velta::qt::twipsToPixels(&grid, 2895));
  }

  void aTitleThatWouldBeCutOffWidensItsColumn() {
    Grid grid;
    const QString longTitle = QStringLiteral("Alternate Shipment Reason");
    grid.setColumnTitles({"Item", longTitle});
    grid.setColWidthTwips(0, 645);
    grid.setColWidthTwips(1, 300);
    const QHeaderView* header = grid.view()->horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int needed = QFontMetrics(header->font()).horizontalAdvance(longTitle) + 2 * margin;
    QVERIFY(needed > velta::qt::twipsToPixels(&grid, 300));
    QCOMPARE(grid.colWidthPixels(0), velta::qt::twipsToPixels(&grid, 645));
    QCOMPARE(grid.colWidthPixels(1), needed);
  }

  void autoSizeCountsTitles() {
    Grid grid;
    const QString longTitle = QStringLiteral("A rather long column title");
    grid.setColumnTitles({longTitle, "B", "C"});
    grid.AddItem("x\tshort\ty");
    grid.setColWidthTwips(0, 150);  // 10 pixels: far too narrow for the title
    grid.setColWidthTwips(1, 150);
    grid.setColWidthTwips(2, 150);
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
  // rounding), bold cells measured in bold, repeated texts as often as they come.
  void autoSizeFitsAsTheViewWould_data() {
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<int>("boldRow");  // 0: none
    QTest::newRow("plain") << QStringList{"FIL", "1A0013", "OIL FILTER, SPIN ON"} << 0;
    QTest::newRow("repeated texts") << QStringList{"12", "12", "12", "WWWWWWWW", "12"} << 0;
    QTest::newRow("the widest in bold") << QStringList{"iiii", "WIDE TEXT IN BOLD", "WIDE TEXT IN BOLD"} << 2;
    QTest::newRow("empty cells") << QStringList{"", "", "x"} << 0;
    QTest::newRow("Latin-1 letters") << QStringList{QString::fromLatin1("B\xc4R \xd8L \xc9T\xc9")} << 0;
    QTest::newRow("the widest in a row beyond Latin-1")
        << QStringList{"WIDE", QString::fromUtf8("\u20ac WIDER THAN THE REST"), "WIDE TEXT"} << 0;
    QTest::newRow("the widest bound not the widest text") << QStringList{"iiiiiiiiiiiiiiii", "MMMMMMM", "Wi"} << 0;
  }
  void autoSizeFitsAsTheViewWould() {
    QFETCH(QStringList, cells);
    QFETCH(int, boldRow);
    Grid grid;
    grid.setColumnTitles({"T"});
    for (const QString& text : cells) grid.AddItem(text);
    if (boldRow > 0) grid.setCellFontBold(boldRow, 0, true);
    grid.AutoSize(0, 0);
    const int ours = grid.colWidthPixels(0);
    grid.view()->resizeColumnToContents(0);
    const int theViews = grid.colWidthPixels(0);
    QVERIFY2(std::abs(ours - theViews) <= 1, qPrintable(QStringLiteral("%1 against %2").arg(ours).arg(theViews)));
    QVERIFY(ours >= theViews - 1);
  }

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
  // What is done to a fitted column, and its cells before: fitted again, it is
  // as wide as the view would make it (within a pixel), as if fitted afresh.
  void autoSizeKeepsUpWithChanges_data() {
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("change");
    const QStringList cells{"WWWWWWWWWW", "ab", "abc def", "WWWW"};
    QTest::newRow("the widest shortened") << cells << "text 1 a";
    QTest::newRow("another made the widest") << cells << "text 3 WWWWWWWWWWWWWWWWWW";
    QTest::newRow("the widest emptied") << cells << "text 1 ";
    QTest::newRow("the widest in bold") << cells << "bold 1";
    QTest::newRow("a narrow one in bold") << cells << "bold 2";
    QTest::newRow("bold taken off the widest") << cells << "plain 1";
    QTest::newRow("the widest row cut off") << cells << "rows 1";
    QTest::newRow("every row gone, one new") << cells << "rows 0";
    QTest::newRow("typed by the user") << cells << "typed 2";
    QTest::newRow("a character beyond Latin-1") << cells << QString::fromUtf8("text 2 \u20ac\u20ac\u20ac WWWWWWWWWWWW");
    QTest::newRow("a TAB inside a cell") << cells << "text 4 WWWWW\tWWWWWWWWW";
  }
  void autoSizeKeepsUpWithChanges() {
    QFETCH(QStringList, cells);
    QFETCH(QString, change);
    Grid grid;
    grid.setColumnTitles({"T"});
    for (const QString& text : cells) grid.AddItem(text);
    if (change == QLatin1String("plain 1")) grid.setCellFontBold(1, 0, true);
    grid.setEditable(2, 0, true);
    grid.AutoSize(0, 0);
    const QStringList words = change.split(QLatin1Char(' '));
    const int row = words.value(1).toInt();
    if (words[0] == QLatin1String("text")) grid.setTextMatrix(row, 0, change.section(QLatin1Char(' '), 2));
    if (words[0] == QLatin1String("bold")) grid.setCellFontBold(row, 0, true);
    if (words[0] == QLatin1String("plain")) grid.setCellFontBold(row, 0, false);
    if (words[0] == QLatin1String("rows")) {
      grid.setRows(row + 1);
      grid.AddItem(QStringLiteral("x"));
    }
    if (words[0] == QLatin1String("typed")) {
      QAbstractItemModel* model = grid.view()->model();
      QVERIFY(model->setData(model->index(row - 1, 0), QStringLiteral("WWWWWWWWWWWWWWWWWWWWWW typed")));
    }
    grid.AutoSize(0, 0);
    const QString fault = unlikeTheViewsOwnFit(grid);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
  }

  void aNewTitleIsFittedAnew() {
    Grid grid;
    grid.setColumnTitles({"A", "B"});
    grid.AddItem(QStringLiteral("x\ty"));
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

  void aNewFontIsMeasuredAnew() {
    Grid grid;
    grid.setColumnTitles({"T"});
    for (const char* text : {"OIL FILTER, SPIN ON", "AVAVAV To", "12"}) grid.AddItem(QString::fromLatin1(text));
    grid.setCellFontBold(2, 0, true);
    grid.AutoSize(0, 0);
    const int before = grid.colWidthPixels(0);
    QFont larger = grid.font();
    larger.setPointSizeF(larger.pointSizeF() * 2);
    grid.setFont(larger);
    grid.AutoSize(0, 0);
    QVERIFY(grid.colWidthPixels(0) > before);
    const QString fault = unlikeTheViewsOwnFit(grid);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
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
    layout->addWidget(before);
    layout->addWidget(grid);
    layout->addWidget(after);
    grid->setColumnTitles({"A", "B"});
    for (int i = 0; i < 3; ++i) grid->AddItem(QStringLiteral("a\tb"));
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
};

QTEST_MAIN(GridTest)
#include "tst_grid.moc"
