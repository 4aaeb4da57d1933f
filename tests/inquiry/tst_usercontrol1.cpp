// The inquiry control on the sample business system, headless, with a
// presenter that records every box and form, against a fake distributor on
// 127.0.0.1: properties, form, vendor lookup, the request byte for byte and
// the answers. How an exchange fails, its deadlines and its journal: the
// exchange suite both controls share (tests/exchange).
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStyle>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "support/FakeDistributor.h"
#include "base/BaseState.h"
#include "base/Clock.h"
#include "base/EngineError.h"
#include "inquiry/UserControl1.h"
#include "inquiry/WorkstationSetup.h"
#include "inquiry/clsMACAddress.h"
#include "link/CheckToken.h"
#include "link/RequestHeader.h"
#include "qt/Grid.h"
#include "qt/MemoryPropertyBag.h"
#include "qt/Twips.h"
#include "support/RecordingPresenter.h"
#include "tools/sample/SampleBusinessSystem.h"

using veltaiq::UserControl1;
using velta::qt::MessageIcon;
using velta::qt::RecordingPresenter;
using velta::test::FakeDistributor;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The request's moment: the clock the tests set.
const QByteArray kHeader =
    QByteArray("00|//VELTA//846|||H-BRONTEK|8153|21:05:07|20261208||WEB|||||||") +
    QByteArray::fromStdString(velta::makeToken("20261208", "21:05:07")) + "\n";

QByteArray framed(const QByteArray& message) { return QByteArray::number(message.size()) + "\n" + message; }

// A detail record whose field k is prefix + k.
QByteArray detail(int fields, const QByteArray& prefix) {
  QByteArrayList out;
  for (int k = 0; k < fields; ++k) out << prefix + QByteArray::number(k);
  return out.join('|');
}

QString errorText(int number, const QString& description, const char* suffix) {
  return QStringLiteral(" Error %1  ").arg(number) + description + kCrLf + QString::fromLatin1(suffix) + kCrLf;
}

// A presenter whose every box and form fails, as a host's presenter might.
class FailingPresenter : public velta::qt::Presenter {
 public:
  velta::qt::MessageAnswer showMessage(QWidget*, const velta::qt::MessageBox&) override {
    ++calls;
    throw std::runtime_error("no screen");
  }
  void showForm(QWidget*, QDialog&) override {
    ++calls;
    throw std::runtime_error("no screen");
  }
  int calls = 0;
};

// Records the order in which a bag is written and read.
class LoggingBag : public velta::qt::MemoryPropertyBag {
 public:
  QVariant readProperty(const QString& name, const QVariant& defaultValue) override {
    log << QStringLiteral("read ") + name + QStringLiteral(" default=") + defaultValue.toString() +
               QStringLiteral(":") + QString::fromLatin1(defaultValue.typeName());
    return MemoryPropertyBag::readProperty(name, defaultValue);
  }
  void writeProperty(const QString& name, const QVariant& value, const QVariant& defaultValue) override {
    log << QStringLiteral("write ") + name + QStringLiteral(" default=") + defaultValue.toString() +
               QStringLiteral(":") + QString::fromLatin1(defaultValue.typeName());
    MemoryPropertyBag::writeProperty(name, value, defaultValue);
  }
  QStringList log;
};

}  // namespace

class InquiryControlTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void namedControlsWithTheirCaptions_data();
  void namedControlsWithTheirCaptions();
  void gridsWithTitlesWidthsAndEditableRows();
  void aNewControlHasAllFivePropertiesZero();
  void propertiesAreWrittenAndReadInOrder();
  void propertiesNotifyOnRealChangesOnly();
  void theShowHandlerSetsTheVersionAndEnablesTheSearch();
  void setSearchShowsTheVendor_data();
  void setSearchShowsTheVendor();
  void aVendorNotFoundEndsTheControlOnce();
  void aVendorNumberThatIsNotANumberIsReported();
  void setSearchBeforeShowHasNoEngine();
  void theRequestWithOnlyTheHostsPart();
  void theRequestWithTypedRows_data();
  void theRequestWithTypedRows();
  void aNormalAnswerOfThreeLines();
  void anAnswerInPiecesIsParsedOnce();
  void anExceptionAnswerShowsTheFormAndEndsTheControl();
  void exitClosesAndEndsTheControl();
  void showingAgainEnablesTheSearchAgain();
  void theAdapterAddressClassAnswers();
  void aShowHandlerFailureIsReportedNotPassedOn();
  void withoutSettingsFileThereIsNoEngine();
  void aFailingPresenterStopsNothing();

 private:
  std::unique_ptr<UserControl1> shownControl(int vendor = 1207);
  template <typename T>
  T* child(UserControl1& control, const QString& name) {
    T* found = control.findChild<T*>(name);
    if (!found) qFatal("no child %s", qPrintable(name));
    return found;
  }
  QString search(UserControl1& c, int i) { return child<QLabel>(c, QStringLiteral("lblSearch(%1)").arg(i))->text(); }
  velta::qt::Grid* entry(UserControl1& c) { return child<velta::qt::Grid>(c, QStringLiteral("grdIQ")); }
  velta::qt::Grid* results(UserControl1& c) { return child<velta::qt::Grid>(c, QStringLiteral("grdItem")); }
  QPushButton* searchButton(UserControl1& c) { return child<QPushButton>(c, QStringLiteral("CmdSearch")); }
  QStringList resultRows(UserControl1& c) {
    QStringList out;
    auto* g = results(c);
    for (int r = 1; r < g->Rows(); ++r) {
      QStringList cells;
      for (int col = 0; col < g->Cols(); ++col) cells << g->TextMatrix(r, col);
      out << cells.join(QLatin1Char('\t'));
    }
    return out;
  }
  // Waits until the exchange has ended (answered, reported or given up).
  bool settled(UserControl1& c) { return QTest::qWaitFor([&] { return !c.inquiryOpen(); }, 10000); }

  QTemporaryDir dir_;
  velta::sample::SampleBusinessSystem sample_;
  RecordingPresenter presenter_;
  std::unique_ptr<FakeDistributor> distributor_;
};

void InquiryControlTest::initTestCase() {
  QVERIFY(dir_.isValid());
  distributor_ = std::make_unique<FakeDistributor>();
  velta::sample::SampleOptions options;
  options.parts = 200;
  options.distributor.inquiryPort = distributor_->port();
  sample_ = velta::sample::writeSampleBusinessSystem(dir_.path().toStdString(), options);
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(sample_.configHome().string()));
  qputenv("TMPDIR", QByteArray::fromStdString(sample_.tmpDir().string()));
  veltaiq::WorkstationSetup::setShares(QString::fromStdString(sample_.root.string()), {});
}

void InquiryControlTest::init() {
  qputenv("TMPDIR", QByteArray::fromStdString(sample_.tmpDir().string()));
  using namespace std::chrono;
  velta::baseState().clock = [] {
    return velta::DateTime{year{2026} / December / 8, hours{21} + minutes{5} + seconds{7}};
  };
  presenter_.clear();
  distributor_->reset();
}

void InquiryControlTest::cleanup() { velta::baseState().clock = nullptr; }

std::unique_ptr<UserControl1> InquiryControlTest::shownControl(int vendor) {
  auto control = std::make_unique<UserControl1>();
  control->setPresenter(&presenter_);
  control->initProperties();
  control->setXVendor(vendor);
  control->setXLine(QStringLiteral("FLT"));
  control->setXPart(QStringLiteral("PH3600"));
  control->setXQty(2);
  control->setXDesc(QStringLiteral("OIL FILTER"));
  control->setConnectTimeout(5);
  control->setAnswerTimeout(5);
  control->show();
  control->setSearch();
  return control;
}

void InquiryControlTest::namedControlsWithTheirCaptions_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("caption");
  auto row = [](const char* name, const char* kind, const char* caption) {
    QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind) << QString::fromLatin1(caption);
  };
  row("lblDesc", "QLabel", "Velta Parts Inquiry");
  row("lblVersion", "QLabel", "");
  row("lblHeader", "QLabel", "");
  row("Label1(0)", "QLabel", "Vendor");
  row("Label1(6)", "QLabel", "IP Address");
  row("Label1(7)", "QLabel", "Account");
  row("Label1(2)", "QLabel", "Port");
  row("Label1(1)", "QLabel", "Search For");
  row("Label1(8)", "QLabel", "You may enter up to five additional parts for inquiry.");
  row("Label1(5)", "QLabel", "Results");
  row("lblSearch(0)", "QLabel", "");
  row("lblSearch(1)", "QLabel", "");
  row("lblSearch(3)", "QLabel", "");
  row("lblSearch(4)", "QLabel", "");
  row("grdIQ", "velta::qt::Grid", "");
  row("grdItem", "velta::qt::Grid", "");
  row("CmdSearch", "QPushButton", "Begin Search");
  row("cmdExit", "QPushButton", "Exit");
  row("ws1", "velta::qt::Socket", "");
}

void InquiryControlTest::namedControlsWithTheirCaptions() {
  QFETCH(QString, name);
  QFETCH(QString, kind);
  QFETCH(QString, caption);
  UserControl1 control;
  QObject* found = control.findChild<QObject*>(name);
  QVERIFY2(found, qPrintable(name));
  QCOMPARE(QString::fromLatin1(found->metaObject()->className()), kind);
  if (auto* label = qobject_cast<QLabel*>(found)) QCOMPARE(label->text(), caption);
  if (auto* button = qobject_cast<QPushButton*>(found)) QCOMPARE(button->text(), caption);
  // The indices the form does not have.
  QVERIFY(!control.findChild<QObject*>(QStringLiteral("lblSearch(2)")));
  QVERIFY(!control.findChild<QObject*>(QStringLiteral("Label1(3)")));
  QVERIFY(!control.findChild<QObject*>(QStringLiteral("Label1(4)")));
}

void InquiryControlTest::gridsWithTitlesWidthsAndEditableRows() {
  UserControl1 control;
  auto* iq = entry(control);
  QCOMPARE(iq->columnTitles(), (QStringList{"Line", "Part", "Qty", "Description"}));
  QCOMPARE(iq->Rows(), 7);
  // The widths in twips, except where a title would be cut off.
  const auto width = [](const velta::qt::Grid* grid, int col, int twips) {
    const QHeaderView* header = grid->view()->horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int title = QFontMetrics(header->font()).horizontalAdvance(grid->TextMatrix(0, col)) + 2 * margin;
    return std::max(velta::qt::twipsToPixels(grid, twips), title);
  };
  const int entryWidths[] = {960, 1920, 960, 3000};
  for (int c = 0; c < 4; ++c) QCOMPARE(iq->colWidthPixels(c), width(iq, c, entryWidths[c]));
  for (int c = 0; c < 4; ++c) {
    QVERIFY2(!iq->isEditable(1, c), "row 1 is the host's part");
    for (int r = 2; r <= 6; ++r) QVERIFY(iq->isEditable(r, c));
  }
  auto* item = results(control);
  QCOMPARE(item->columnTitles(),
           (QStringList{"Line Req", "Part Req", "Qty Req", "Avail Line", "Avail Part", "Avail Qty", "Description",
                        "Retail", "Cost", "Status Code", "Status Text", "Reason Code", "Location", "Date Avail",
                        "Fact BO"}));
  QCOMPARE(item->Rows(), 1);
  const int resultWidths[] = {780, 1920, 870, 885, 1920, 960, 1920, 780, 735, 960, 1980, 1545, 960, 960, 960};
  for (int c = 0; c < 15; ++c) QCOMPARE(item->colWidthPixels(c), width(item, c, resultWidths[c]));
  // "Status Code" does not fit its 960 twips in every font.
  QVERIFY(item->colWidthPixels(9) >= QFontMetrics(item->view()->horizontalHeader()->font()).horizontalAdvance("Status Code"));
}

void InquiryControlTest::aNewControlHasAllFivePropertiesZero() {
  UserControl1 control;
  control.initProperties();
  for (const QVariant& value : {control.xPart(), control.xDesc(), control.xQty(), control.xLine(), control.xVendor()}) {
    QCOMPARE(value.typeId(), int(QMetaType::Int));
    QCOMPARE(value.toInt(), 0);
  }
  QCOMPARE(control.connectTimeout(), 15.0);
  QCOMPARE(control.answerTimeout(), 60.0);
}

void InquiryControlTest::propertiesAreWrittenAndReadInOrder() {
  UserControl1 first;
  first.initProperties();
  first.setXPart(QStringLiteral("00123"));
  first.setXDesc(QStringLiteral("DISC \xC9T\xC9"));
  first.setXQty(12);
  first.setXLine(QStringLiteral("BRK"));
  first.setXVendor(1207);
  first.setConnectTimeout(3);
  LoggingBag bag;
  first.writeProperties(bag);
  UserControl1 second;
  second.readProperties(bag);
  const QStringList expected = {
      "write xPart default=0:int", "write xDesc default=0:int", "write xQty default=0:int",
      "write xLine default=0:int", "write xVendor default=0:int", "read xPart default=0:int",
      "read xDesc default=0:int",  "read xQty default=0:int",   "read xLine default=0:int",
      "read xVendor default=0:int"};
  QCOMPARE(bag.log, expected);
  QCOMPARE(second.xPart(), QVariant(QStringLiteral("00123")));
  QCOMPARE(second.xPart().typeId(), int(QMetaType::QString));
  QCOMPARE(second.xDesc().toString(), QStringLiteral("DISC \xC9T\xC9"));
  QCOMPARE(second.xQty(), QVariant(12));
  QCOMPARE(second.xLine(), QVariant(QStringLiteral("BRK")));
  QCOMPARE(second.xVendor(), QVariant(1207));
  QCOMPARE(second.connectTimeout(), 15.0);  // not persisted
  QVERIFY(!bag.contains(QStringLiteral("connectTimeout")));
}

void InquiryControlTest::propertiesNotifyOnRealChangesOnly() {
  UserControl1 control;
  control.initProperties();
  QSignalSpy spy(&control, &UserControl1::xQtyChanged);
  control.setXQty(0);
  QCOMPARE(spy.count(), 0);
  control.setXQty(QStringLiteral("0"));  // a text differs from the number
  QCOMPARE(spy.count(), 1);
  control.setXQty(QStringLiteral("0"));
  QCOMPARE(spy.count(), 1);
  const QMetaProperty property = control.metaObject()->property(control.metaObject()->indexOfProperty("xQty"));
  QVERIFY(property.hasNotifySignal());
  QVERIFY(property.isStored());
  QVERIFY(!control.metaObject()->property(control.metaObject()->indexOfProperty("answerTimeout")).isStored());
}

void InquiryControlTest::theShowHandlerSetsTheVersionAndEnablesTheSearch() {
  UserControl1 control;
  control.setPresenter(&presenter_);
  control.show();
  QCOMPARE(presenter_.boxes.size(), 0);
  QCOMPARE(child<QLabel>(control, QStringLiteral("lblVersion"))->text(),
           QString::asprintf("Version %d.%02d.%04d", VELTA_VERSION_MAJOR, VELTA_VERSION_MINOR, VELTA_VERSION_PATCH));
  QVERIFY(searchButton(control)->isEnabled());
}

void InquiryControlTest::setSearchShowsTheVendor_data() {
  QTest::addColumn<int>("vendor");
  QTest::addColumn<QString>("vendorText");
  QTest::addColumn<QString>("account");
  QTest::addColumn<QString>("host");
  QTest::addColumn<QString>("port");
  const auto& npd = *sample_.catalog.vendor(1207);
  QTest::newRow("withSubAccount") << 1207 << QStringLiteral("1207 - NORTHERN PARTS DISTRIBUTION")
                                  << QStringLiteral("104233/A7") << QString::fromStdString(npd.POWER_EDI_ID_NUMBER)
                                  << QString::number(distributor_->port());
  QTest::newRow("withoutSubAccountPortZero") << 3300 << QStringLiteral("3300 - PARTSNET WHOLESALE")
                                             << QStringLiteral("PN5512") << QStringLiteral("10.20.30.40")
                                             << QStringLiteral("0");
}

void InquiryControlTest::setSearchShowsTheVendor() {
  QFETCH(int, vendor);
  QFETCH(QString, vendorText);
  QFETCH(QString, account);
  QFETCH(QString, host);
  QFETCH(QString, port);
  auto control = shownControl(vendor);
  QCOMPARE(presenter_.boxes.size(), 0);
  // The name field is 20 bytes compressed: up to 30 characters, blank padded.
  QCOMPARE(search(*control, 0).trimmed(), vendorText);
  QVERIFY(search(*control, 0).startsWith(vendorText));
  QCOMPARE(search(*control, 1), port);
  // The host as decoded, blanks after it kept: the request trims it.
  QVERIFY2(search(*control, 3).startsWith(host), qPrintable(search(*control, 3)));
  QCOMPARE(search(*control, 3).trimmed(), host);
  QCOMPARE(search(*control, 4), account);
  auto* iq = entry(*control);
  QCOMPARE(iq->TextMatrix(1, 0), QStringLiteral("FLT"));
  QCOMPARE(iq->TextMatrix(1, 1), QStringLiteral("PH3600"));
  QCOMPARE(iq->TextMatrix(1, 2), QStringLiteral("2"));
  QCOMPARE(iq->TextMatrix(1, 3), QStringLiteral("OIL FILTER"));
}

void InquiryControlTest::aVendorNotFoundEndsTheControlOnce() {
  auto control = shownControl(1207);
  const QString before = search(*control, 0);
  control->setXVendor(4321);
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  control->setSearch();
  QCOMPARE(shutdown.count(), 1);
  QCOMPARE(presenter_.boxes.size(), 1);
  QCOMPARE(presenter_.boxes[0].box.text, QStringLiteral("Can not find Vendor... aborting!"));
  QCOMPARE(presenter_.boxes[0].box.title, QStringLiteral("Error"));
  QCOMPARE(presenter_.boxes[0].box.icon, MessageIcon::Critical);
  QCOMPARE(search(*control, 0), before);  // the labels stay as they were
  // ... but nothing may go out under the earlier vendor's account.
  presenter_.clear();
  control->LocatePart();
  QCOMPARE(presenter_.boxes.size(), 1);
  QCOMPARE(presenter_.boxes[0].box.text,
           QStringLiteral(" Error -23  Nothing was sent: no host is set for the distributor of vendor 4321. Check the "
                          "vendor's distributor address.\r\n in locatePart routine\r\n"));
  QCOMPARE(distributor_->connections, 0);
}

void InquiryControlTest::aVendorNumberThatIsNotANumberIsReported() {
  auto control = shownControl(1207);
  presenter_.clear();
  control->setXVendor(QStringLiteral("12a"));
  control->setSearch();
  QCOMPARE(presenter_.boxes.size(), 1);
  QCOMPARE(presenter_.boxes[0].box.text, errorText(13, QStringLiteral("Type mismatch"), " in setSearch routine"));
  QCOMPARE(presenter_.boxes[0].box.title, QStringLiteral("veltaiq error"));
  QCOMPARE(presenter_.boxes[0].box.icon, MessageIcon::None);
  QVERIFY(presenter_.boxes[0].box.systemModal);
  QCOMPARE(control->errText(), presenter_.boxes[0].box.text);
}

void InquiryControlTest::setSearchBeforeShowHasNoEngine() {
  UserControl1 control;
  control.setPresenter(&presenter_);
  control.initProperties();
  control.setXVendor(1207);
  control.setSearch();
  QCOMPARE(presenter_.boxes.size(), 1);
  QCOMPARE(presenter_.boxes[0].box.text,
           errorText(91, QString::fromLatin1(velta::generalDescription(91)), " in setSearch routine"));
  QCOMPARE(control.findChild<QLabel*>(QStringLiteral("lblSearch(0)"))->text(), QString());
}

void InquiryControlTest::theRequestWithOnlyTheHostsPart() {
  distributor_->mode = FakeDistributor::Mode::Silent;
  auto control = shownControl(1207);
  control->LocatePart();
  QTRY_COMPARE(distributor_->requests.size(), 1);
  const QByteArray message = kHeader + "01|104233\n05|FIL|PH3600|2\n";
  QCOMPARE(distributor_->requests[0], framed(message));
  QCOMPARE(message.count('\n'), 3);
}

void InquiryControlTest::theRequestWithTypedRows_data() {
  QTest::addColumn<QStringList>("rows");  // rows 2 to 6: line TAB part TAB qty TAB description
  QTest::addColumn<QByteArray>("records");
  QTest::newRow("mappedAndUnmapped") << QStringList{"BRK\tR1\t1\tnot sent", "ZZQ\tX 9 \t\t"}
                                     << QByteArray("05|BRX|R1|1\n05|ZZQ|X 9 |\n");
  QTest::newRow("skippedRows") << QStringList{"\tR1\t1\t", "BRK\t\t1\t", "   \t  \t1\t", "LMP\t55\t 3 \t"}
                               << QByteArray("05|LPS|55| 3 \n");
  QTest::newRow("lowerCaseMapped") << QStringList{"", "", "", "", "blt\tB-7\t4\t"} << QByteArray("05|GTB|B-7|4\n");
  QTest::newRow("latin1Part") << QStringList{QString::fromLatin1("WIP\tW\xC9" "1\t1\t")} << QByteArray("05|WPR|W\xC9" "1|1\n");
}

void InquiryControlTest::theRequestWithTypedRows() {
  QFETCH(QStringList, rows);
  QFETCH(QByteArray, records);
  distributor_->mode = FakeDistributor::Mode::Silent;
  auto control = shownControl(1207);
  auto* iq = entry(*control);
  for (int r = 0; r < rows.size(); ++r) {
    const QStringList cells = rows[r].split(QLatin1Char('\t'));
    for (int c = 0; c < cells.size(); ++c) iq->setTextMatrix(r + 2, c, cells[c]);
  }
  control->LocatePart();
  QTRY_COMPARE(distributor_->requests.size(), 1);
  QCOMPARE(distributor_->requests[0], framed(kHeader + "01|104233\n05|FIL|PH3600|2\n" + records));
}

void InquiryControlTest::aNormalAnswerOfThreeLines() {
  const QByteArray long13 = "FILTER, OIL - SPIN ON, LONG DESCRIPTION OF THE PART";
  QByteArray second = detail(25, "b");
  second.replace("b13", long13);
  distributor_->answer = framed("00|//VELTA//846|||RKT\n01|104233\n" + detail(25, "a") + "\n" + second + "\n" +
                                detail(26, "c") + "\n");
  auto control = shownControl(1207);
  auto* item = results(*control);
  const int before = item->colWidthPixels(6);
  control->LocatePart();
  QVERIFY(!searchButton(*control)->isEnabled());
  QVERIFY(settled(*control));
  QCOMPARE(presenter_.boxes.size(), 0);
  auto row = [](const QString& p, const QString& description) {
    QStringList cells;
    for (int f : {4, 5, 3, 1, 2, 7, 13, 8, 9, 23, 24, 14, 17, 16, 15}) cells << p + QString::number(f);
    if (!description.isEmpty()) cells[6] = description;
    return cells.join(QLatin1Char('\t'));
  };
  QCOMPARE(resultRows(*control), (QStringList{row("a", {}), row("b", QString::fromLatin1(long13)), row("c", {})}));
  QVERIFY2(!searchButton(*control)->isEnabled(), "a new search needs the control shown again");
  // Auto-sized: the description column fits its longest text.
  QVERIFY(item->colWidthPixels(6) > before);
  QVERIFY(item->colWidthPixels(6) >= item->fontMetrics().horizontalAdvance(QString::fromLatin1(long13)));
}

void InquiryControlTest::anAnswerInPiecesIsParsedOnce() {
  distributor_->mode = FakeDistributor::Mode::Pieces;
  distributor_->answer = framed("00|//VELTA//846\n01\n" + detail(25, "p") + "\n");
  auto control = shownControl(1207);
  control->LocatePart();
  QVERIFY(settled(*control));
  QCOMPARE(presenter_.boxes.size(), 0);
  QCOMPARE(resultRows(*control).size(), 1);
}

void InquiryControlTest::anExceptionAnswerShowsTheFormAndEndsTheControl() {
  distributor_->answer = framed("00|//VELTA//EXR|||RKT\n99|104233|IQ-5521|20261208|E17|Account not set up for inquiry\n");
  auto control = shownControl(1207);
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  bool shutDownWhileShown = true;
  presenter_.onForm = [&](QDialog&) { shutDownWhileShown = shutdown.count() > 0; };
  control->LocatePart();
  QVERIFY(settled(*control));
  QTRY_COMPARE(presenter_.forms.size(), 1);
  presenter_.onForm = nullptr;
  QVERIFY(!shutDownWhileShown);
  QCOMPARE(shutdown.count(), 1);
  const auto& form = presenter_.forms[0];
  QCOMPARE(form.name, QStringLiteral("frmException"));
  QCOMPARE(form.caption, QStringLiteral("Velta Exception"));
  QCOMPARE(form.owner, control.get());
  QCOMPARE(form.labels[QStringLiteral("Label1")], QStringLiteral("Your inquiry returned an exception."));
  QCOMPARE(form.labels[QStringLiteral("Label2(1)")], QStringLiteral("Inquiry Number"));
  QCOMPARE(form.labels[QStringLiteral("Label2(2)")], QStringLiteral("Inquiry Date"));
  const QStringList values = {"104233", "IQ-5521", "20261208", "E17", "Account not set up for inquiry"};
  for (int i = 0; i < 5; ++i) QCOMPARE(form.labels[QStringLiteral("lblER(%1)").arg(i)], values[i]);
  QCOMPARE(results(*control)->Rows(), 1);
  QCOMPARE(presenter_.boxes.size(), 0);
}

// With an inquiry open: the exchange suite (tests/exchange).
void InquiryControlTest::exitClosesAndEndsTheControl() {
  auto control = shownControl(1207);
  QSignalSpy shutdown(control.get(), &UserControl1::controlShutdown);
  QTest::mouseClick(child<QPushButton>(*control, QStringLiteral("cmdExit")), Qt::LeftButton);
  QCOMPARE(shutdown.count(), 1);
  QCOMPARE(presenter_.boxes.size(), 0);
}

void InquiryControlTest::showingAgainEnablesTheSearchAgain() {
  distributor_->answer = framed("00|//VELTA//846\n01\n" + detail(25, "a") + "\n");
  auto control = shownControl(1207);
  control->LocatePart();
  QVERIFY(settled(*control));
  QVERIFY(!searchButton(*control)->isEnabled());
  control->hide();
  control->show();
  QVERIFY(searchButton(*control)->isEnabled());
}

void InquiryControlTest::theAdapterAddressClassAnswers() {
  // Whatever this machine has: an address of twelve hex digits, a count line, or nothing.
  const QString address = veltaiq::clsMACAddress().GetMACAddress();
  static const QRegularExpression form(QStringLiteral("^([0-9A-F]{12}|\\d+ (Interface|Adapter)\\(s\\):\r\n|)$"));
  QVERIFY2(form.match(address).hasMatch(), qPrintable(address));
}

void InquiryControlTest::aShowHandlerFailureIsReportedNotPassedOn() {
  QTemporaryDir settings;
  {
    std::ofstream out(settings.filePath(QStringLiteral("hBTCatalog.ini")).toStdString(), std::ios::binary);
    out << "[xQ-Depot]\r\nServer=SRV\r\nDirectory=D1\r\nCustomerNumber=12a\r\n";
  }
  qputenv("TMPDIR", settings.path().toLocal8Bit());
  UserControl1 control;
  control.setPresenter(&presenter_);
  control.show();  // an exception through Qt's event handler would end the host
  QCOMPARE(presenter_.boxes.size(), 1);
  QCOMPARE(presenter_.boxes[0].box.text, errorText(13, QStringLiteral("Type mismatch"), " in control show routine"));
  QCOMPARE(presenter_.boxes[0].box.title, QStringLiteral("veltaiq error"));
  QCOMPARE(control.errText(), presenter_.boxes[0].box.text);
}

void InquiryControlTest::withoutSettingsFileThereIsNoEngine() {
  QTemporaryDir empty;
  qputenv("TMPDIR", empty.path().toLocal8Bit());
  auto control = shownControl(1207);
  QCOMPARE(presenter_.boxes.size(), 2);
  QCOMPARE(presenter_.boxes[0].box.title, QStringLiteral("EpcError"));
  QVERIFY(presenter_.boxes[0].box.text.startsWith(QStringLiteral("You are missing file: ")));
  QCOMPARE(presenter_.boxes[1].box.text,
           errorText(91, QString::fromLatin1(velta::generalDescription(91)), " in setSearch routine"));
}

void InquiryControlTest::aFailingPresenterStopsNothing() {
  FailingPresenter failing;
  UserControl1 control;
  control.setPresenter(&failing);
  control.initProperties();
  control.setXVendor(4321);
  control.show();
  control.setSearch();  // the box fails, and so does the error box after it: nothing escapes
  QVERIFY(failing.calls >= 2);
  QCOMPARE(control.errText(), errorText(51, QStringLiteral("Internal error: no screen"), " in setSearch routine"));
  QSignalSpy shutdown(&control, &UserControl1::controlShutdown);
  QTest::mouseClick(child<QPushButton>(control, QStringLiteral("cmdExit")), Qt::LeftButton);
  QCOMPARE(shutdown.count(), 1);
}

QTEST_MAIN(InquiryControlTest)
#include "tst_usercontrol1.moc"
