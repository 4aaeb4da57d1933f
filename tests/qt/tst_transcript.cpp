// The transcript, byte for byte.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextStream>
#include <QTimer>
#include <QtTest>
#include <cstdio>

#include "qt/Grid.h"
#include "qt/LabelArray.h"
#include "qt/Transcript.h"

using velta::qt::MessageBox;
using velta::qt::MessageButtons;
using velta::qt::MessageIcon;

Q_DECLARE_METATYPE(velta::qt::MessageIcon)
Q_DECLARE_METATYPE(velta::qt::MessageButtons)

class TranscriptTest : public QObject {
  Q_OBJECT

 private slots:
  void escaping_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("plain") << QStringLiteral("Parts Order Status") << QStringLiteral("Parts Order Status");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("trailing blank kept") << QStringLiteral("Account ") << QStringLiteral("Account ");
    QTest::newRow("only blanks") << QStringLiteral("   ") << QStringLiteral("   ");
    QTest::newRow("backslash") << QStringLiteral("\\\\SRV\\D1") << QStringLiteral("\\\\\\\\SRV\\\\D1");
    QTest::newRow("tab cr lf") << QStringLiteral("a\tb\rc\nd") << QStringLiteral("a\\tb\\rc\\nd");
    QTest::newRow("NUL") << QString(QChar(0)) << QStringLiteral("\\x00");
    QTest::newRow("other control") << QStringLiteral("\x01\x1B\x1F") << QStringLiteral("\\x01\\x1B\\x1F");
    QTest::newRow("DEL") << QStringLiteral("\x7F") << QStringLiteral("\\x7F");
    QTest::newRow("blank and tilde plain") << QStringLiteral(" ~") << QStringLiteral(" ~");
    QTest::newRow("0x80") << QString(QChar(0x80)) << QStringLiteral("\\x80");
    QTest::newRow("e acute") << QString::fromLatin1("caf\xE9") << QStringLiteral("caf\\xE9");
    QTest::newRow("0xFF") << QString(QChar(0xFF)) << QStringLiteral("\\xFF");
    QTest::newRow("non-breaking space") << QString(QChar(0xA0)) << QStringLiteral("\\xA0");
    QTest::newRow("above latin-1") << QStringLiteral("\u20AC") << QStringLiteral("\\u{20AC}");
    QTest::newRow("equals and brackets plain") << QStringLiteral("[a=b]") << QStringLiteral("[a=b]");
  }
  void escaping() {
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(velta::qt::escapeValue(text), escaped);
    // Every escaped text is printable ASCII.
    for (QChar c : velta::qt::escapeValue(text)) QVERIFY(c.unicode() >= 0x20 && c.unicode() < 0x7F);
  }

  void escapingBytes() {
    QCOMPARE(velta::qt::escapeBytes(std::string("A\0\xE9\\", 4)), QStringLiteral("A\\x00\\xE9\\\\"));
  }

  void lines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("one line") << QStringLiteral("Can not open PO file 1234") << QStringList{"Can not open PO file 1234"};
    QTest::newRow("error text") << QStringLiteral(" Error 13  Type mismatch\r\n in setPO routine\r\n")
                                << QStringList{" Error 13  Type mismatch", " in setPO routine"};
    QTest::newRow("lone LF") << QStringLiteral("a\nb") << QStringList{"a", "b"};
    QTest::newRow("lone CR") << QStringLiteral("a\rb") << QStringList{"a", "b"};
    QTest::newRow("LF CR is two breaks") << QStringLiteral("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("empty line inside") << QStringLiteral("a\r\n\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("final break adds nothing") << QStringLiteral("a\n") << QStringList{"a"};
    QTest::newRow("two final breaks") << QStringLiteral("a\r\n\r\n") << QStringList{"a", ""};
    QTest::newRow("only a break") << QStringLiteral("\r\n") << QStringList{""};
    QTest::newRow("empty") << QString() << QStringList{};
    QTest::newRow("trailing blanks kept") << QStringLiteral("x  \r\ny ") << QStringList{"x  ", "y "};
  }
  void lines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(velta::qt::messageLines(text), lines);
  }

  void messageBox_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<bool>("systemModal");
    QTest::addColumn<QString>("block");
    QTest::newRow("error box") << QStringLiteral(" Error 53  File not found: \\\\SRV\\X\r\n in control show routine\r\n")
                               << QStringLiteral("veltaorder Error") << MessageIcon::None << MessageButtons::Ok << true
                               << QStringLiteral("[messagebox] icon=none buttons=ok modal=system title=veltaorder Error\n"
                                                 "   Error 53  File not found: \\\\\\\\SRV\\\\X\n"
                                                 "   in control show routine\n");
    QTest::newRow("attention") << QStringLiteral("Can not open PO file 12 ") << QStringLiteral("Attention")
                               << MessageIcon::Critical << MessageButtons::Ok << false
                               << QStringLiteral("[messagebox] icon=critical buttons=ok modal=application title=Attention\n"
                                                 "  Can not open PO file 12 \n");
    QTest::newRow("every icon and buttons name")
        << QStringLiteral("q") << QString() << MessageIcon::Question << MessageButtons::AbortRetryIgnore << false
        << QStringLiteral("[messagebox] icon=question buttons=abortretryignore modal=application title=\n  q\n");
    QTest::newRow("exclamation yesnocancel") << QString() << QStringLiteral("T\xE9") << MessageIcon::Exclamation
                                             << MessageButtons::YesNoCancel << false
                                             << QStringLiteral("[messagebox] icon=exclamation buttons=yesnocancel modal=application title=T\\xE9\n");
    QTest::newRow("information okcancel") << QStringLiteral("x\ty") << QStringLiteral("i") << MessageIcon::Information
                                          << MessageButtons::OkCancel << false
                                          << QStringLiteral("[messagebox] icon=information buttons=okcancel modal=application title=i\n  x\\ty\n");
    QTest::newRow("yesno") << QStringLiteral("a") << QStringLiteral("b") << MessageIcon::None << MessageButtons::YesNo << false
                           << QStringLiteral("[messagebox] icon=none buttons=yesno modal=application title=b\n  a\n");
    QTest::newRow("retrycancel") << QStringLiteral("a") << QStringLiteral("b") << MessageIcon::None
                                 << MessageButtons::RetryCancel << false
                                 << QStringLiteral("[messagebox] icon=none buttons=retrycancel modal=application title=b\n  a\n");
  }
  void messageBox() {
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(MessageIcon, icon);
    QFETCH(MessageButtons, buttons);
    QFETCH(bool, systemModal);
    QFETCH(QString, block);
    QCOMPARE(velta::qt::messageBoxBlock(MessageBox{text, title, icon, buttons, systemModal}), block);
  }

  void form() {
    QDialog form;
    form.setObjectName(QStringLiteral("frmTest"));
    form.setWindowTitle(QStringLiteral("Test Form"));
    velta::qt::createLabel(&form, QStringLiteral("lblB"), 1, QStringLiteral("b one"));
    velta::qt::createLabel(&form, QStringLiteral("lblB"), 0, QString());
    velta::qt::createLabel(&form, QStringLiteral("Label1"), 10, QStringLiteral("ten"));
    velta::qt::createLabel(&form, QStringLiteral("Label1"), 2, QStringLiteral("Account "));
    auto* frame = new QFrame(&form);  // labels in a frame are the form's too
    velta::qt::createLabel(frame, QStringLiteral("alpha"), QStringLiteral("a\\b"));
    velta::qt::createLabel(&form, QStringLiteral("Zeta"), QStringLiteral("z"));
    new QLabel(QStringLiteral("no name"), &form);
    velta::qt::createLabel(&form, QStringLiteral("qt_inner"), QStringLiteral("Qt's own"));
    auto* button = new QPushButton(QStringLiteral("Ok"), &form);
    button->setObjectName(QStringLiteral("cmdOk"));
    auto* grid = new velta::qt::Grid(&form);
    grid->setObjectName(QStringLiteral("grdItem"));
    grid->setColumnTitles({QStringLiteral("Line Ord."), QStringLiteral("Qty\t"), QStringLiteral("C")});
    grid->AddItem(QStringLiteral("ABC\t12"));
    grid->AddItem(QString::fromLatin1("\t\t\xE9 "));
    grid->setIsSubtotal(1, true);
    grid->setRowOutlineLevel(2, 1);
    grid->AddItem(QStringLiteral("x\ty\tz"));
    for (int c = 0; c < 3; ++c) {
      grid->setCellBackColor(3, c, velta::qt::fromBgr(0xC0E0FF));
      grid->setCellFontBold(3, c, true);
    }
    grid->AddItem(QStringLiteral("only bold"));
    grid->setCellFontBold(4, 2, true);
    auto* other = new velta::qt::Grid(&form);
    other->setObjectName(QStringLiteral("Grid0"));
    other->setColumnTitles({QStringLiteral("A")});

    const QString expected = QStringLiteral(
        "[form frmTest] caption=Test Form\n"
        "  Label1(2)=Account \n"
        "  Label1(10)=ten\n"
        "  lblB(0)=\n"
        "  lblB(1)=b one\n"
        "  Zeta=z\n"
        "  alpha=a\\\\b\n"
        "  Grid0.cols=A\n"
        "  grdItem.cols=Line Ord.\tQty\\t\tC\n"
        "  grdItem 1: ABC\t12\t\n"
        "  grdItem 1.style=group=1 level=0 bold=0 back=none\n"
        "  grdItem 2: \t\t\\xE9 \n"
        "  grdItem 2.style=group=0 level=1 bold=0 back=none\n"
        "  grdItem 3: x\ty\tz\n"
        "  grdItem 3.style=group=0 level=0 bold=1 back=#ffe0c0\n"
        "  grdItem 4: only bold\t\t\n"
        "  grdItem 4.style=group=0 level=0 bold=1 back=none\n");
    QCOMPARE(velta::qt::formBlock(form), expected);
  }

  void control() {
    QWidget control;
    control.setProperty("errText", QStringLiteral(" Error 13  Type mismatch\r\n in setPO routine\r\n"));
    velta::qt::createLabel(&control, QStringLiteral("lblXmit"), QStringLiteral("Transmission in Process... Please Wait."))
        ->hide();
    velta::qt::createLabel(&control, QStringLiteral("Label2"), 0, QStringLiteral("Vendor"));
    velta::qt::createLabel(&control, QStringLiteral("lblPO"), QStringLiteral("PO Number"));
    auto* check = new QCheckBox(QStringLiteral("Order for Resale"), &control);
    check->setObjectName(QStringLiteral("Check1"));
    check->setChecked(true);
    auto* drop = new QCheckBox(QStringLiteral("Drop Ship"), &control);
    drop->setObjectName(QStringLiteral("chkDrop"));
    auto* combo = new QComboBox(&control);
    combo->setObjectName(QStringLiteral("cmbSM"));
    combo->addItems({QStringLiteral("   Default"), QStringLiteral("A - Will Call")});
    auto* date = new QDateEdit(QDate(2026, 12, 8), &control);
    date->setObjectName(QStringLiteral("dtpSD"));
    date->setCalendarPopup(true);
    auto* submit = new QPushButton(QStringLiteral("Submit Order"), &control);
    submit->setObjectName(QStringLiteral("cmdSubmit"));
    auto* status = new QPushButton(QStringLiteral("PO Status"), &control);
    status->setObjectName(QStringLiteral("cmdPOStat"));
    status->setEnabled(false);
    auto* bar = new QProgressBar(&control);
    bar->setObjectName(QStringLiteral("pb1"));
    bar->setRange(0, 100);
    bar->setValue(5);
    bar->hide();
    auto* timer = new QTimer(&control);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setInterval(100);
    auto* grid = new velta::qt::Grid(&control);
    grid->setObjectName(QStringLiteral("VSFlexGrid1"));
    grid->setColumnTitles({QStringLiteral("Item"), QStringLiteral("Cost")});
    grid->AddItem(QStringLiteral("1\t.05"));

    const QString expected = QStringLiteral(
        "[control UserControl1]\n"
        "  Label2(0)=Vendor\n"
        "  lblPO=PO Number\n"
        "  lblXmit=Transmission in Process... Please Wait.\n"
        "  Check1=1\n"
        "  Timer1=stopped\n"
        "  chkDrop=0\n"
        "  cmbSM=   Default\n"
        "  cmdPOStat=disabled\n"
        "  cmdSubmit=enabled\n"
        "  dtpSD=2026-12-08\n"
        "  errText= Error 13  Type mismatch\\r\\n in setPO routine\\r\\n\n"
        "  lblXmit=hidden\n"
        "  pb1=hidden\n"
        "  pb1.value=5\n"
        "  VSFlexGrid1.cols=Item\tCost\n"
        "  VSFlexGrid1 1: 1\t.05\n");
    QCOMPARE(velta::qt::controlBlock(control, QStringLiteral("UserControl1")), expected);

    // The changing parts.
    timer->start();
    bar->show();
    bar->setValue(98);
    combo->setCurrentIndex(1);
    status->setEnabled(true);
    control.findChild<QLabel*>(QStringLiteral("lblXmit"))->show();
    const QString running = velta::qt::controlBlock(control, QStringLiteral("UserControl1"));
    QVERIFY(running.contains(QStringLiteral("\n  Timer1=running\n")));
    QVERIFY(running.contains(QStringLiteral("\n  pb1=visible\n  pb1.value=98\n")));
    QVERIFY(running.contains(QStringLiteral("\n  lblXmit=visible\n")));
    QVERIFY(running.contains(QStringLiteral("\n  cmbSM=A - Will Call\n")));
    QVERIFY(running.contains(QStringLiteral("\n  cmdPOStat=enabled\n")));
    timer->stop();
  }

  void controlWithoutErrText() {
    QWidget control;
    velta::qt::createLabel(&control, QStringLiteral("lblSearch"), 0, QStringLiteral("7 - Vendor"));
    QCOMPARE(velta::qt::controlBlock(control, QStringLiteral("UserControl1")),
             QStringLiteral("[control UserControl1]\n  lblSearch(0)=7 - Vendor\n"));
  }

  void event() { QCOMPARE(velta::qt::eventBlock(QStringLiteral("controlShutdown")), QStringLiteral("[event] controlShutdown\n")); }

  void property_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("line");
    QTest::newRow("number") << QVariant(0) << QStringLiteral("[property] number xPOSuccess=0\n");
    QTest::newRow("negative") << QVariant(-3) << QStringLiteral("[property] number xPOSuccess=-3\n");
    QTest::newRow("whole double") << QVariant(12.0) << QStringLiteral("[property] number xPOSuccess=12\n");
    QTest::newRow("fraction") << QVariant(2.5) << QStringLiteral("[property] number xPOSuccess=2.5\n");
    QTest::newRow("text of digits") << QVariant(QStringLiteral("00123")) << QStringLiteral("[property] text xPOSuccess=00123\n");
    QTest::newRow("text with blanks") << QVariant(QStringLiteral(" 12 ")) << QStringLiteral("[property] text xPOSuccess= 12 \n");
    QTest::newRow("empty text") << QVariant(QString()) << QStringLiteral("[property] text xPOSuccess=\n");
    QTest::newRow("latin-1 text") << QVariant(QString::fromLatin1("\xE9")) << QStringLiteral("[property] text xPOSuccess=\\xE9\n");
  }
  void property() {
    QFETCH(QVariant, value);
    QFETCH(QString, line);
    QCOMPARE(velta::qt::propertyLine(QStringLiteral("xPOSuccess"), value), line);
  }

  void presenterWritesAndAnswers() {
    QString out;
    QTextStream stream(&out);
    velta::qt::TranscriptPresenter presenter(stream);
    QCOMPARE(presenter.showMessage(nullptr, MessageBox{QStringLiteral("x"), QStringLiteral("t"), MessageIcon::None,
                                                       MessageButtons::YesNo, false}),
             velta::qt::MessageAnswer::Yes);
    QCOMPARE(presenter.showMessage(nullptr, MessageBox{QStringLiteral("y"), QStringLiteral("t")}),
             velta::qt::MessageAnswer::Ok);
    QDialog form;
    form.setObjectName(QStringLiteral("frmX"));
    form.setWindowTitle(QStringLiteral("X"));
    auto* ok = new QPushButton(QStringLiteral("Ok"), &form);
    ok->setObjectName(QStringLiteral("cmdOk"));
    QSignalSpy clicked(ok, &QPushButton::clicked);
    presenter.showForm(nullptr, form);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(out, QStringLiteral("[messagebox] icon=none buttons=yesno modal=application title=t\n  x\n"
                                 "[messagebox] icon=none buttons=ok modal=application title=t\n  y\n"
                                 "[form frmX] caption=X\n"));
  }

  void presenterOnFile() {
    FILE* file = std::tmpfile();
    QVERIFY(file);
    {
      velta::qt::TranscriptPresenter presenter(file);
      presenter.showMessage(nullptr, MessageBox{QString::fromLatin1("\xE9"), QStringLiteral("t")});
    }
    std::rewind(file);
    char buffer[128] = {};
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, file);
    std::fclose(file);
    QCOMPARE(QByteArray(buffer, qsizetype(n)),
             QByteArray("[messagebox] icon=none buttons=ok modal=application title=t\n  \\xE9\n"));
  }

  void pressOkWithoutButton() {
    QDialog form;
    QSignalSpy accepted(&form, &QDialog::accepted);
    velta::qt::pressOk(form);
    QCOMPARE(accepted.count(), 1);
  }
};

QTEST_MAIN(TranscriptTest)
#include "tst_transcript.moc"
