// The main window's parts that need no window: where the journal is kept,
// which order numbers the window loads, where the window opens, and what the
// About box says.
#include <velta/version.h>

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "inquiry/Version.h"
#include "order/Version.h"
#include "tools/velta-workstation/AboutBox.h"
#include "tools/velta-workstation/ExchangeSettings.h"
#include "tools/velta-workstation/OrderNumber.h"
#include "tools/velta-workstation/WindowPlacement.h"

using velta::workstation::ExchangeFlags;

Q_DECLARE_METATYPE(std::optional<QString>)

class WindowPartsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(dir_.isValid()); }

  void theJournalIsKeptUnlessItIsTurnedOff_data();
  void theJournalIsKeptUnlessItIsTurnedOff();
  void anOrderNumberIsOneToTenDigits_data();
  void anOrderNumberIsOneToTenDigits();
  void theFieldTakesDigitsOnly();
  void aSavedPlaceIsKeptOnAScreen_data();
  void aSavedPlaceIsKeptOnAScreen();
  void thePlaceIsReadBackAsWritten();
  void theFirstSizeFitsTheScreen_data();
  void theFirstSizeFitsTheScreen();
  void theAboutTextNamesTheVersionsAndThePaths();

 private:
  QTemporaryDir dir_;
};

void WindowPartsTest::theJournalIsKeptUnlessItIsTurnedOff_data() {
  QTest::addColumn<QStringList>("flags");         // "--journal DIR", "--no-journal"
  QTest::addColumn<std::optional<QString>>("ini");  // the [workstation] journal= line; none: no such line
  QTest::addColumn<std::optional<QString>>("stateHome");
  QTest::addColumn<QString>("expected");          // HOME and STATE stand for the folders
  const std::optional<QString> none;
  QTest::newRow("by default under XDG_STATE_HOME") << QStringList() << none << std::optional<QString>("STATE")
                                                   << "STATE/velta/journal";
  QTest::newRow("XDG_STATE_HOME unset") << QStringList() << none << none << "HOME/.local/state/velta/journal";
  QTest::newRow("XDG_STATE_HOME empty") << QStringList() << none << std::optional<QString>("")
                                        << "HOME/.local/state/velta/journal";
  QTest::newRow("XDG_STATE_HOME relative is ignored")
      << QStringList() << none << std::optional<QString>("state") << "HOME/.local/state/velta/journal";
  QTest::newRow("journal= names a folder") << QStringList() << std::optional<QString>("/srv/j")
                                           << std::optional<QString>("STATE") << "/srv/j";
  QTest::newRow("journal= empty turns it off") << QStringList() << std::optional<QString>("")
                                               << std::optional<QString>("STATE") << "";
  QTest::newRow("--journal over journal= empty") << QStringList{"--journal", "/x/j"} << std::optional<QString>("")
                                                 << std::optional<QString>("STATE") << "/x/j";
  QTest::newRow("--no-journal over journal=") << QStringList{"--no-journal"} << std::optional<QString>("/srv/j")
                                              << std::optional<QString>("STATE") << "";
  QTest::newRow("--no-journal over the default")
      << QStringList{"--no-journal"} << none << std::optional<QString>("STATE") << "";
}

void WindowPartsTest::theJournalIsKeptUnlessItIsTurnedOff() {
  QFETCH(QStringList, flags);
  QFETCH(std::optional<QString>, ini);
  QFETCH(std::optional<QString>, stateHome);
  QFETCH(QString, expected);
  const QString home = dir_.filePath(QStringLiteral("home"));
  const QString state = dir_.filePath(QStringLiteral("state"));
  const QByteArray savedHome = qgetenv("HOME"), savedState = qgetenv("XDG_STATE_HOME");
  const bool hadState = qEnvironmentVariableIsSet("XDG_STATE_HOME");
  qputenv("HOME", home.toLocal8Bit());
  if (stateHome) {
    qputenv("XDG_STATE_HOME", (*stateHome == QLatin1String("STATE") ? state : *stateHome).toLocal8Bit());
  } else {
    qunsetenv("XDG_STATE_HOME");
  }
  const QString file = dir_.filePath(QStringLiteral("%1.ini").arg(QTest::currentDataTag()));
  {
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("[workstation]\nanswerTimeout=30\n");
    if (ini) out.write(QStringLiteral("journal=%1\n").arg(*ini).toLocal8Bit());
  }
  ExchangeFlags given;
  if (flags.value(0) == QLatin1String("--journal")) given.journal = flags.value(1).toStdString();
  given.noJournal = flags.contains(QStringLiteral("--no-journal"));
  const auto settings = velta::workstation::exchangeSettings(given, file);
  qputenv("HOME", savedHome);
  if (hadState) {
    qputenv("XDG_STATE_HOME", savedState);
  } else {
    qunsetenv("XDG_STATE_HOME");
  }
  expected.replace(QStringLiteral("HOME"), home).replace(QStringLiteral("STATE"), state);
  QCOMPARE(settings.journal, expected);
  QCOMPARE(settings.answerTimeout, std::optional<double>(30));
}

void WindowPartsTest::anOrderNumberIsOneToTenDigits_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("loads");
  QTest::newRow("the sample's") << "100231" << true;
  QTest::newRow("one digit") << "7" << true;
  QTest::newRow("leading zeros kept") << "00123" << true;
  QTest::newRow("ten digits") << "1234567890" << true;
  QTest::newRow("eleven digits") << "12345678901" << false;
  QTest::newRow("empty") << "" << false;
  QTest::newRow("a blank before") << " 100231" << false;
  QTest::newRow("a blank after") << "100231 " << false;
  QTest::newRow("a letter") << "10023A" << false;
  QTest::newRow("a sign") << "-100231" << false;
  QTest::newRow("a path") << "../100231" << false;
  QTest::newRow("a UNC name") << "\\\\SRV\\X" << false;
  QTest::newRow("digits of another script") << QString::fromUtf8("\u0661\u0662\u0663") << false;
  QTest::newRow("full-width digits") << QString::fromUtf8("\uff11\uff12\uff13") << false;
}

void WindowPartsTest::anOrderNumberIsOneToTenDigits() {
  QFETCH(QString, text);
  QFETCH(bool, loads);
  QCOMPARE(velta::workstation::isOrderNumber(text), loads);
}

void WindowPartsTest::theFieldTakesDigitsOnly() {
  QLineEdit field;
  field.setValidator(velta::workstation::orderNumberValidator(&field));
  QTest::keyClicks(&field, QStringLiteral(" 10a02-3/1 "));
  QCOMPARE(field.text(), QStringLiteral("100231"));
  QTest::keyClicks(&field, QStringLiteral("98765"));
  QCOMPARE(field.text(), QStringLiteral("1002319876"));  // ten digits, no more
}

void WindowPartsTest::aSavedPlaceIsKeptOnAScreen_data() {
  QTest::addColumn<QRect>("saved");
  QTest::addColumn<QList<QRect>>("screens");  // the first is the primary one
  QTest::addColumn<QRect>("placed");
  const QList<QRect> laptop{{0, 0, 1366, 768}};
  const QList<QRect> two{{0, 0, 1366, 768}, {1366, 0, 1920, 1080}};
  // Moved by the window, it keeps 8 pixels at the sides and below, 40 above for a frame.
  QTest::newRow("on the screen") << QRect(40, 30, 1180, 700) << laptop << QRect(40, 30, 1180, 700);
  QTest::newRow("filling the screen") << QRect(0, 0, 1366, 768) << laptop << QRect(0, 0, 1366, 768);
  QTest::newRow("off every screen: centred on the primary")
      << QRect(5000, 4000, 1000, 600) << laptop << QRect(183, 100, 1000, 600);
  QTest::newRow("on a screen no longer there") << QRect(1500, 100, 1000, 600) << laptop << QRect(183, 100, 1000, 600);
  QTest::newRow("partly off to the right: moved in") << QRect(800, 100, 1000, 600) << laptop
                                                     << QRect(358, 100, 1000, 600);
  QTest::newRow("above the screen: moved down") << QRect(100, -300, 1000, 600) << laptop << QRect(100, 40, 1000, 600);
  QTest::newRow("larger than the screen: made smaller")
      << QRect(0, 0, 1920, 1080) << laptop << QRect(8, 40, 1350, 720);
  QTest::newRow("on the second screen") << QRect(1500, 100, 1000, 600) << two << QRect(1500, 100, 1000, 600);
  QTest::newRow("across both: on the one holding most")
      << QRect(1200, 100, 1000, 600) << two << QRect(1374, 100, 1000, 600);
}

void WindowPartsTest::aSavedPlaceIsKeptOnAScreen() {
  QFETCH(QRect, saved);
  QFETCH(QList<QRect>, screens);
  QFETCH(QRect, placed);
  QCOMPARE(velta::workstation::placeOnScreens(saved, screens, screens.front()), placed);
}

void WindowPartsTest::thePlaceIsReadBackAsWritten() {
  const QString file = dir_.filePath(QStringLiteral("place.ini"));
  QCOMPARE(velta::workstation::readWindowPlace(file).geometry, std::optional<QRect>());
  velta::workstation::WindowPlace place;
  place.geometry = QRect(-20, 35, 1024, 700);
  place.maximized = true;
  place.page = 2;
  QVERIFY(velta::workstation::writeWindowPlace(file, place));
  const auto read = velta::workstation::readWindowPlace(file);
  QCOMPARE(read.geometry, place.geometry);
  QCOMPARE(read.maximized, true);
  QCOMPARE(read.page, 2);
  QSettings settings(file, QSettings::IniFormat);
  QCOMPARE(settings.value(QStringLiteral("window/width")).toInt(), 1024);
  // A size that makes no window is none.
  settings.setValue(QStringLiteral("window/height"), 0);
  settings.sync();
  QCOMPARE(velta::workstation::readWindowPlace(file).geometry, std::optional<QRect>());
}

void WindowPartsTest::theFirstSizeFitsTheScreen_data() {
  QTest::addColumn<QRect>("available");
  QTest::addColumn<QSize>("size");
  QTest::newRow("1366 by 768") << QRect(0, 0, 1366, 768) << QSize(1180, 720);
  QTest::newRow("1366 by 768 under a panel") << QRect(0, 32, 1366, 736) << QSize(1180, 688);
  QTest::newRow("1920 by 1080") << QRect(0, 0, 1920, 1080) << QSize(1180, 720);
  QTest::newRow("1024 by 600") << QRect(0, 0, 1024, 600) << QSize(1008, 552);
}

void WindowPartsTest::theFirstSizeFitsTheScreen() {
  QFETCH(QRect, available);
  QFETCH(QSize, size);
  QCOMPARE(velta::workstation::firstWindowSize(available), size);
}

void WindowPartsTest::theAboutTextNamesTheVersionsAndThePaths() {
  velta::workstation::AboutFacts facts;
  facts.site = {QStringLiteral("SRV"), QStringLiteral("D1"), QStringLiteral("/tmp/ws/hBTCatalog.ini"), true,
                QStringLiteral("share map /home/d/.config/velta/shares.conf, UNC root /srv/sample")};
  facts.settingsFile = QStringLiteral("/home/d/.config/velta/workstation.ini");
  facts.journalFolder = QStringLiteral("/home/d/.local/state/velta/journal");
  const QString version = QStringLiteral(VELTA_VERSION_STRING);
  // The libraries loaded here are those this program was built with.
  QCOMPARE(QString::fromLatin1(veltaorder::libraryVersionString()), version);
  QCOMPARE(QString::fromLatin1(veltaiq::libraryVersionString()), version);
  const QStringList expected{
      QStringLiteral("Velta Workstation ") + version,
      QStringLiteral("Order control library veltaorder ") + version,
      QStringLiteral("Inquiry control library veltaiq ") + version,
      QStringLiteral("Qt ") + QString::fromLatin1(qVersion()),
      QString(),
      QStringLiteral("Business system: server SRV, directory D1"),
      QStringLiteral("Settings file: /tmp/ws/hBTCatalog.ini"),
      QStringLiteral("Shares: share map /home/d/.config/velta/shares.conf, UNC root /srv/sample"),
      QStringLiteral("Workstation settings: /home/d/.config/velta/workstation.ini"),
      QStringLiteral("Journal: /home/d/.local/state/velta/journal"),
  };
  QCOMPARE(velta::workstation::aboutText(facts).split(QLatin1Char('\n')), expected);
  facts.journalFolder.clear();
  facts.site.haveSettingsFile = false;
  facts.site.server.clear();
  const QStringList without = velta::workstation::aboutText(facts).split(QLatin1Char('\n'));
  QCOMPARE(without.value(5), QStringLiteral("Business system: none (no settings file and no --server)"));
  QCOMPARE(without.value(6), QStringLiteral("Settings file: /tmp/ws/hBTCatalog.ini (not there)"));
  QCOMPARE(without.value(9), QStringLiteral("Journal: none kept"));
  velta::workstation::AboutBox box(facts);
  QCOMPARE(box.details()->toPlainText(), without.join(QLatin1Char('\n')));
  QVERIFY(box.details()->isReadOnly());
}

QTEST_MAIN(WindowPartsTest)
#include "tst_windowparts.moc"
