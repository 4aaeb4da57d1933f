// The result forms: captions, label arrays, grids, the "Ok" button.
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTableView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "order/frmPOStat.h"
#include "order/frmPoResponse.h"
#include "qt/Grid.h"
#include "qt/LabelArray.h"
#include "qt/Transcript.h"
#include "qt/Twips.h"
#include "qt/frmException.h"
#include "support/RecordingPresenter.h"

using velta::qt::ExceptionWording;
using velta::qt::frmException;
using velta::qt::Grid;

namespace {

std::unique_ptr<QDialog> makeForm(const QString& name) {
  if (name == "frmPoResponse") return std::make_unique<veltaorder::frmPoResponse>();
  if (name == "frmPOStat") return std::make_unique<veltaorder::frmPOStat>();
  if (name == "frmException order") return std::make_unique<frmException>(ExceptionWording::Order);
  return std::make_unique<frmException>(ExceptionWording::Inquiry);
}

struct Pair {
  int caption;
  int value;
  QString text;
};

}  // namespace

Q_DECLARE_METATYPE(QList<int>)

class FormsTest : public QObject {
  Q_OBJECT

 private slots:
  void captions_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::newRow("response") << "frmPoResponse" << "frmPoResponse" << "Parts Order Response";
    QTest::newRow("status") << "frmPOStat" << "frmPOStat" << "Parts Order Status";
    QTest::newRow("exception, order") << "frmException order" << "frmException" << "Velta Exception";
    QTest::newRow("exception, inquiry") << "frmException inquiry" << "frmException" << "Velta Exception";
  }
  void captions() {
    QFETCH(QString, form);
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    auto dialog = makeForm(form);
    QCOMPARE(dialog->objectName(), objectName);
    QCOMPARE(dialog->windowTitle(), caption);
    auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("cmdOk"));
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("Ok"));
    QVERIFY(ok->isDefault());
  }

  void valueLabels_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("captionArray");
    QTest::addColumn<QString>("valueArray");
    QTest::addColumn<QList<int>>("captionIndexes");
    QTest::addColumn<QStringList>("captionTexts");
    QTest::addColumn<QList<int>>("valueIndexes");
    // In the order of the places: left column top to bottom, then the right column.
    QTest::newRow("response") << "frmPoResponse" << "Label1" << "lblSearch" << QList<int>{6, 2, 1, 0, 7, 3, 4}
                              << QStringList{"PO Number", "PO Date", "Dist. order Number", "Account ", "Backorder Code",
                                             "PO Status Code", "PO Status Message"}
                              << QList<int>{3, 2, 1, 0, 4, 5, 6};
    QTest::newRow("status") << "frmPOStat" << "Label1" << "lblStatus" << QList<int>{2, 1, 3, 6, 0, 4, 5}
                            << QStringList{"PO Number", "Original Ticket #", "Order Date", "Bill To Account",
                                           "Ship To Account", "Order Status Code", "Order Status Message"}
                            << QList<int>{0, 1, 2, 3, 4, 5, 6};
    QTest::newRow("exception, order") << "frmException order" << "Label2" << "lblER" << QList<int>{0, 1, 2, 3, 4}
                                      << QStringList{"Account Number", "Order Number", "Order Date", "Error Code",
                                                     "Error Message"}
                                      << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("exception, inquiry") << "frmException inquiry" << "Label2" << "lblER" << QList<int>{0, 1, 2, 3, 4}
                                        << QStringList{"Account Number", "Inquiry Number", "Inquiry Date", "Error Code",
                                                       "Error Message"}
                                        << QList<int>{0, 1, 2, 3, 4};
  }
  void valueLabels() {
    QFETCH(QString, form);
    QFETCH(QString, captionArray);
    QFETCH(QString, valueArray);
    QFETCH(QList<int>, captionIndexes);
    QFETCH(QStringList, captionTexts);
    QFETCH(QList<int>, valueIndexes);
    auto dialog = makeForm(form);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    // Exactly these labels in each array, no others.
    int captions = 0;
    int values = 0;
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
      QString array;
      if (!velta::qt::parseArrayLabelName(label->objectName(), &array, nullptr)) continue;
      captions += array == captionArray;
      values += array == valueArray;
    }
    QCOMPARE(captions, int(captionIndexes.size()));
    QCOMPARE(values, int(valueIndexes.size()));
    for (int i = 0; i < captionIndexes.size(); ++i) {
      QLabel* caption = velta::qt::label(dialog.get(), captionArray, captionIndexes[i]);
      QLabel* value = velta::qt::label(dialog.get(), valueArray, valueIndexes[i]);
      QVERIFY2(caption, qPrintable(captionArray + QString::number(captionIndexes[i])));
      QVERIFY2(value, qPrintable(valueArray + QString::number(valueIndexes[i])));
      QCOMPARE(caption->text(), captionTexts[i]);
      QCOMPARE(value->text(), QString());  // until the caller fills it
      // The caption is not clipped.
      QVERIFY2(caption->width() >= caption->fontMetrics().horizontalAdvance(caption->text()), qPrintable(caption->text()));
      QVERIFY(caption->isVisible() && value->isVisible());
    }
    // A value that is set shows as given, blanks and all.
    QLabel* first = velta::qt::label(dialog.get(), valueArray, valueIndexes[0]);
    first->setText(QStringLiteral("  12 "));
    QCOMPARE(first->text(), QStringLiteral("  12 "));
  }

  void placesOfTheOrderForms_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("valueArray");
    QTest::addColumn<QList<int>>("leftColumn");
    QTest::newRow("response") << "frmPoResponse" << "lblSearch" << QList<int>{3, 2, 1, 0, 4};
    QTest::newRow("status") << "frmPOStat" << "lblStatus" << QList<int>{0, 1, 2, 3, 4};
  }
  void placesOfTheOrderForms() {
    QFETCH(QString, form);
    QFETCH(QString, valueArray);
    QFETCH(QList<int>, leftColumn);
    auto dialog = makeForm(form);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    auto at = [&](int index) { return velta::qt::label(dialog.get(), valueArray, index)->geometry(); };
    for (int i = 1; i < leftColumn.size(); ++i) {
      QCOMPARE(at(leftColumn[i]).x(), at(leftColumn[0]).x());
      QVERIFY(at(leftColumn[i]).top() > at(leftColumn[i - 1]).top());
    }
    // The right column: the code first, the message in a large box under its caption.
    QVERIFY(at(5).left() > at(leftColumn[0]).right());
    QCOMPARE(at(5).top(), at(leftColumn[0]).top());
    QVERIFY(at(6).top() > at(5).bottom());
    QVERIFY(at(6).height() > 2 * at(5).height());
    // The grid lies below the labels.
    auto* grid = dialog->findChild<Grid*>(QStringLiteral("grdItem"));
    QVERIFY(grid->geometry().top() > at(leftColumn.last()).bottom());
  }

  void grids_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QList<int>>("twips");
    QTest::newRow("response") << "frmPoResponse"
                              << QStringList{"Line Ord.", "Part Ordered", "Qty Ord.", "Line Shp.", "Part Shipped", "Qty Shp.",
                                             "Qty BO", "Description", "Alt Shp Reason", "Bo Code", "Avail Date", "Location"}
                              << QList<int>{780, 1920, 870, 885, 1920, 960, 960, 1920, 2235, 1410, 960, 1980};
    QTest::newRow("status") << "frmPOStat"
                            << QStringList{"Mfg Code Resp", "Part # Resp", "MFG Code (Cust)", "Part (Cust)", "Description",
                                           "Qty Ord", "Qty Shp (Tot)", "Qty Bo", "BO ETA"}
                            << QList<int>{1575, 2325, 2505, 1620, 3105, 1140, 1425, 1140, 1140};
  }
  void grids() {
    QFETCH(QString, form);
    QFETCH(QStringList, titles);
    QFETCH(QList<int>, twips);
    auto dialog = makeForm(form);
    Grid* grid = dialog->findChild<Grid*>(QStringLiteral("grdItem"));
    QVERIFY(grid);
    QCOMPARE(grid->Rows(), 1);
    QCOMPARE(grid->Cols(), int(titles.size()));
    QCOMPARE(grid->columnTitles(), titles);
    // The widths in twips, except where a title would be cut off.
    const QHeaderView* header = grid->view()->horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int c = 0; c < twips.size(); ++c) {
      const int title = QFontMetrics(header->font()).horizontalAdvance(titles[c]) + 2 * margin;
      QCOMPARE(grid->colWidthPixels(c), std::max(velta::qt::twipsToPixels(grid, twips[c]), title));
    }
  }

  void accessors() {
    veltaorder::frmPoResponse response;
    veltaorder::frmPOStat status;
    frmException exception(ExceptionWording::Inquiry);
    for (int i = 0; i <= 6; ++i) {
      QCOMPARE(response.lblSearch(i)->objectName(), QStringLiteral("lblSearch(%1)").arg(i));
      QCOMPARE(status.lblStatus(i)->objectName(), QStringLiteral("lblStatus(%1)").arg(i));
    }
    for (int i = 0; i <= 4; ++i) QCOMPARE(exception.lblER(i)->objectName(), QStringLiteral("lblER(%1)").arg(i));
    QCOMPARE(response.lblSearch(7), nullptr);
    QCOMPARE(exception.lblER(5), nullptr);
    QCOMPARE(response.grdItem(), response.findChild<Grid*>(QStringLiteral("grdItem")));
    QCOMPARE(status.grdItem(), status.findChild<Grid*>(QStringLiteral("grdItem")));
    QCOMPARE(response.cmdOk()->objectName(), QStringLiteral("cmdOk"));
  }

  void exceptionValuesOnWhite() {
    frmException form(ExceptionWording::Order);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (int i = 0; i <= 4; ++i) {
      QLabel* value = form.lblER(i);
      QVERIFY(value->autoFillBackground());
      QCOMPARE(value->palette().color(value->backgroundRole()), QColor(Qt::white));
    }
    // Codes in one column right of their captions; the message a wide box, two lines high, below.
    for (int i = 0; i <= 3; ++i) {
      QVERIFY(form.lblER(i)->x() > velta::qt::label(&form, "Label2", i)->geometry().right());
      if (i > 0) QVERIFY(form.lblER(i)->y() > form.lblER(i - 1)->y());
    }
    QVERIFY(form.lblER(4)->y() > velta::qt::label(&form, "Label2", 4)->geometry().bottom());
    QVERIFY(form.lblER(4)->width() > form.lblER(3)->width());
    QVERIFY(form.lblER(4)->height() >= 2 * form.lblER(4)->fontMetrics().lineSpacing());
    QVERIFY(form.lblER(4)->wordWrap());
  }

  void exceptionBlock_data() {
    QTest::addColumn<int>("wording");
    QTest::addColumn<QString>("block");
    QTest::newRow("order") << int(ExceptionWording::Order)
                           << QStringLiteral("[form frmException] caption=Velta Exception\n"
                                             "  Label2(0)=Account Number\n"
                                             "  Label2(1)=Order Number\n"
                                             "  Label2(2)=Order Date\n"
                                             "  Label2(3)=Error Code\n"
                                             "  Label2(4)=Error Message\n"
                                             "  lblER(0)=5678\n"
                                             "  lblER(1)=1234\n"
                                             "  lblER(2)=20261208\n"
                                             "  lblER(3)=E12\n"
                                             "  lblER(4)=Unknown account \n"
                                             "  Label1=Your Order Returned an Exception.\n");
    QTest::newRow("inquiry") << int(ExceptionWording::Inquiry)
                             << QStringLiteral("[form frmException] caption=Velta Exception\n"
                                               "  Label2(0)=Account Number\n"
                                               "  Label2(1)=Inquiry Number\n"
                                               "  Label2(2)=Inquiry Date\n"
                                               "  Label2(3)=Error Code\n"
                                               "  Label2(4)=Error Message\n"
                                               "  lblER(0)=5678\n"
                                               "  lblER(1)=1234\n"
                                               "  lblER(2)=20261208\n"
                                               "  lblER(3)=E12\n"
                                               "  lblER(4)=Unknown account \n"
                                               "  Label1=Your inquiry returned an exception.\n");
  }
  void exceptionBlock() {
    QFETCH(int, wording);
    QFETCH(QString, block);
    frmException form(static_cast<ExceptionWording>(wording));
    const QStringList values{"5678", "1234", "20261208", "E12", "Unknown account "};
    for (int i = 0; i <= 4; ++i) form.lblER(i)->setText(values[i]);
    QCOMPARE(velta::qt::formBlock(form), block);
  }

  // Ok, Enter (the default button), Escape and the window's close button all
  // run the one Ok routine, once, whether the form is shown or runs modally
  // as the controls' presenter runs it.
  void okHidesOnce_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("modal");
    for (const char* name : {"frmPoResponse", "frmPOStat", "frmException order", "frmException inquiry"}) {
      for (const char* how : {"Ok", "Enter", "Escape", "close button"}) {
        for (bool modal : {false, true}) {
          QTest::addRow("%s, %s%s", name, how, modal ? ", modal" : "")
              << QString::fromLatin1(name) << QString::fromLatin1(how) << modal;
        }
      }
    }
  }
  void okHidesOnce() {
    QFETCH(QString, form);
    QFETCH(QString, how);
    QFETCH(bool, modal);
    auto dialog = makeForm(form);
    auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("cmdOk"));
    QVERIFY(ok);
    QVERIFY(ok->isDefault());
    QSignalSpy accepted(dialog.get(), &QDialog::accepted);
    QSignalSpy rejected(dialog.get(), &QDialog::rejected);
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    QSignalSpy clicked(ok, &QPushButton::clicked);
    const auto act = [&] {
      if (how == QLatin1String("Ok")) {
        QTest::mouseClick(ok, Qt::LeftButton);
      } else if (how == QLatin1String("Enter")) {
        QTest::keyClick(dialog.get(), Qt::Key_Return);
      } else if (how == QLatin1String("Escape")) {
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
      } else {
        // What the title bar's close button does: the window system asks the window to close.
        dialog->windowHandle()->close();
      }
    };
    int execResult = -2;
    if (modal) {
      bool acted = false;
      QTimer poll;
      QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!acted && dialog->isVisible()) {
          acted = true;
          act();
        }
      });
      poll.start(10);
      // A form that will not close fails here instead of hanging the test.
      QTimer guard;
      guard.setSingleShot(true);
      QObject::connect(&guard, &QTimer::timeout, [&] { dialog->done(-1); });
      guard.start(20000);
      execResult = dialog->exec();
      QVERIFY(acted);
    } else {
      dialog->show();
      QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
      act();
    }
    QVERIFY(dialog->isHidden());
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(rejected.count(), 0);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    if (modal) QCOMPARE(execResult, int(QDialog::Accepted));
    // Only a press of Ok itself clicks it; every other way runs the same accept.
    QCOMPARE(clicked.count(), how == QLatin1String("Ok") || how == QLatin1String("Enter") ? 1 : 0);
  }

  void enterPressesOk() {
    veltaorder::frmPOStat form;
    QSignalSpy accepted(&form, &QDialog::accepted);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::keyClick(&form, Qt::Key_Return);
    QCOMPARE(accepted.count(), 1);
  }

  void recordingPresenterSnapshots() {
    velta::qt::RecordingPresenter presenter;
    veltaorder::frmPOStat form;
    form.lblStatus(0)->setText(QStringLiteral("1234"));
    form.grdItem()->AddItem(QStringLiteral("A\tB"));
    form.grdItem()->setIsSubtotal(1, true);
    QSignalSpy accepted(&form, &QDialog::accepted);
    bool visibleToCheck = false;
    presenter.onForm = [&](QDialog& shown) { visibleToCheck = &shown == &form && accepted.count() == 0; };
    QWidget owner;
    presenter.showForm(&owner, form);
    QVERIFY(visibleToCheck);
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(presenter.forms.size(), qsizetype(1));
    const auto& shot = presenter.forms[0];
    QCOMPARE(shot.name, QStringLiteral("frmPOStat"));
    QCOMPARE(shot.caption, QStringLiteral("Parts Order Status"));
    QCOMPARE(shot.owner, &owner);
    QCOMPARE(shot.labels.value("lblStatus(0)"), QStringLiteral("1234"));
    QCOMPARE(shot.labels.value("Label1(2)"), QStringLiteral("PO Number"));
    QCOMPARE(shot.grids["grdItem"].rows.size(), qsizetype(1));
    QCOMPARE(shot.grids["grdItem"].rows[0].cells.mid(0, 2), QStringList({"A", "B"}));
    QVERIFY(shot.grids["grdItem"].rows[0].group);
    QCOMPARE(shot.grids["grdItem"].titles.size(), qsizetype(9));
    QCOMPARE(shot.block, velta::qt::formBlock(form));
    QCOMPARE(presenter.sequence, QStringList{"form frmPOStat"});
    // Later changes to the form do not change the snapshot.
    form.lblStatus(0)->setText(QStringLiteral("changed"));
    QCOMPARE(presenter.forms[0].labels.value("lblStatus(0)"), QStringLiteral("1234"));
  }
};

QTEST_MAIN(FormsTest)
#include "tst_forms.moc"
