// The exchange's own descriptions of error -23, every case to the byte: the
// distributor named by its vendor, "Nothing was sent: " before anything went
// out, the next step of each message set after the request went out, the
// socket's troubles in plain words, and ASCII only.
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <functional>
#include <string>

#include "qt/ExchangeTexts.h"

using velta::MessageSet;
using velta::qt::ExchangeTarget;
using velta::qt::SocketTrouble;

namespace {

using Text = std::function<std::string()>;

const ExchangeTarget kNorthern{1207, "127.0.0.1", 12000};
const ExchangeTarget kUnknownVendor{0, "10.20.30.40", 12001};

const std::string kTryLater = " Try again later; if it keeps happening, check the vendor's distributor address.";
const std::string kSentTo = "The request was sent to the distributor of vendor 1207 at 127.0.0.1:12000, but ";
const std::string kReached = ": it may have reached the distributor. ";
const std::string kOrderNext = "Ask \"PO Status\" before sending the order again.";
const std::string kStatusNext = "Ask \"PO Status\" again.";
const std::string kInquiryNext = "Search again; an inquiry changes nothing at the distributor.";

}  // namespace

Q_DECLARE_METATYPE(Text)

class ExchangeTextsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyCaseSaysWhatHappenedAndWhatToDo_data();
  void everyCaseSaysWhatHappenedAndWhatToDo();
};

void ExchangeTextsTest::everyCaseSaysWhatHappenedAndWhatToDo_data() {
  QTest::addColumn<Text>("text");
  QTest::addColumn<QString>("expected");
  const auto row = [](const char* name, Text text, const std::string& expected) {
    QTest::newRow(name) << text << QString::fromStdString(expected);
  };
  using namespace velta::qt;

  // Nothing went out: what the vendor record or the control refuses.
  row("no host", [] { return noHostText(1207); },
      "Nothing was sent: no host is set for the distributor of vendor 1207. Check the vendor's distributor address.");
  row("no host, vendor not known", [] { return noHostText(0); },
      "Nothing was sent: no host is set for the distributor. Check the vendor's distributor address.");
  row("no inquiry port", [] { return badPortText({3300, "10.20.30.40", 0}, MessageSet::Inquiry846); },
      "Nothing was sent: no inquiry port is set for the distributor of vendor 3300 at 10.20.30.40. "
      "Check the vendor's distributor address.");
  row("order port beyond 16 bits", [] { return badPortText({1207, "127.0.0.1", 65536}, MessageSet::Order850); },
      "Nothing was sent: the order port 65536 of the distributor of vendor 1207 at 127.0.0.1 is not a TCP port. "
      "Check the vendor's distributor address.");
  row("status port below 1", [] { return badPortText({1207, "127.0.0.1", -1}, MessageSet::Status869); },
      "Nothing was sent: the status port -1 of the distributor of vendor 1207 at 127.0.0.1 is not a TCP port. "
      "Check the vendor's distributor address.");
  row("one open already", [] { return stillOpenText(kNorthern); },
      "Nothing was sent: an exchange with the distributor of vendor 1207 at 127.0.0.1:12000 is still open. "
      "Wait for its answer, then try again.");
  row("the journal cannot record it", [] { return unrecordedText(kNorthern); },
      "Nothing was sent: the journal could not record the request to the distributor of vendor 1207 at "
      "127.0.0.1:12000. Fix the journal as the last line says, then try again.");

  // Nothing went out: the connection.
  row("refused", [] { return noConnectionText(kNorthern, SocketTrouble::Refused); },
      "Nothing was sent: the distributor of vendor 1207 at 127.0.0.1:12000 refused the connection. Try again later; "
      "if it keeps happening, check the vendor's distributor address.");
  row("refused, vendor not known", [] { return noConnectionText(kUnknownVendor, SocketTrouble::Refused); },
      "Nothing was sent: the distributor at 10.20.30.40:12001 refused the connection." + kTryLater);
  row("host not found", [] { return noConnectionText(kNorthern, SocketTrouble::HostNotFound); },
      "Nothing was sent: the host of the distributor of vendor 1207 at 127.0.0.1:12000 was not found. "
      "Check the vendor's distributor address.");
  row("network unreachable", [] { return noConnectionText(kNorthern, SocketTrouble::NetworkUnreachable); },
      "Nothing was sent: the distributor of vendor 1207 at 127.0.0.1:12000 cannot be reached over the network. "
      "Check this workstation's network connection, then try again.");
  row("reset while connecting", [] { return noConnectionText(kNorthern, SocketTrouble::Reset); },
      "Nothing was sent: the distributor of vendor 1207 at 127.0.0.1:12000 reset the connection." + kTryLater);
  row("the socket timed out", [] { return noConnectionText(kNorthern, SocketTrouble::TimedOut); },
      "Nothing was sent: the distributor of vendor 1207 at 127.0.0.1:12000 did not answer the connection in time." +
          kTryLater);
  row("another failure", [] { return noConnectionText(kNorthern, SocketTrouble::Other); },
      "Nothing was sent: the connection to the distributor of vendor 1207 at 127.0.0.1:12000 failed." + kTryLater);
  row("connect deadline", [] { return noConnectionWithinText(kNorthern, 15); },
      "Nothing was sent: the distributor of vendor 1207 at 127.0.0.1:12000 did not answer the connection within "
      "15 s." + kTryLater);
  row("connect deadline of 0.3 s", [] { return noConnectionWithinText(kNorthern, 0.3); },
      "Nothing was sent: the distributor of vendor 1207 at 127.0.0.1:12000 did not answer the connection within "
      "0.3 s." + kTryLater);
  row("closed before sending", [] { return closedBeforeSendingText(kNorthern); },
      "Nothing was sent: the distributor of vendor 1207 at 127.0.0.1:12000 closed the connection before the request "
      "went out." + kTryLater);

  // The request went out: each message set's next step.
  row("order: answer deadline", [] { return noAnswerWithinText(kNorthern, MessageSet::Order850, 60); },
      "The request was sent to the distributor of vendor 1207 at 127.0.0.1:12000, but no complete answer came within "
      "60 s: it may have reached the distributor. Ask \"PO Status\" before sending the order again.");
  row("status: answer deadline", [] { return noAnswerWithinText(kNorthern, MessageSet::Status869, 0.5); },
      kSentTo + "no complete answer came within 0.5 s" + kReached + kStatusNext);
  row("inquiry: answer deadline", [] { return noAnswerWithinText(kNorthern, MessageSet::Inquiry846, 86400); },
      kSentTo + "no complete answer came within 86400 s" + kReached + kInquiryNext);
  row("order: closed early", [] { return closedBeforeAnswerText(kNorthern, MessageSet::Order850); },
      kSentTo + "the distributor closed the connection before the answer was complete" + kReached + kOrderNext);
  row("status: closed early", [] { return closedBeforeAnswerText(kNorthern, MessageSet::Status869); },
      kSentTo + "the distributor closed the connection before the answer was complete" + kReached + kStatusNext);
  row("inquiry: closed early", [] { return closedBeforeAnswerText(kNorthern, MessageSet::Inquiry846); },
      kSentTo + "the distributor closed the connection before the answer was complete" + kReached + kInquiryNext);
  row("order: reset", [] { return lostAnswerText(kNorthern, MessageSet::Order850, SocketTrouble::Reset); },
      kSentTo + "the connection was reset before the answer was complete" + kReached + kOrderNext);
  row("status: timed out", [] { return lostAnswerText(kNorthern, MessageSet::Status869, SocketTrouble::TimedOut); },
      kSentTo + "the connection timed out before the answer was complete" + kReached + kStatusNext);
  row("inquiry: network", [] {
    return lostAnswerText(kNorthern, MessageSet::Inquiry846, SocketTrouble::NetworkUnreachable);
  }, kSentTo + "the network failed before the answer was complete" + kReached + kInquiryNext);
  row("order: another failure", [] { return lostAnswerText(kNorthern, MessageSet::Order850, SocketTrouble::Other); },
      kSentTo + "the connection failed before the answer was complete" + kReached + kOrderNext);
  // Troubles of connecting that come once connected are failures like any other.
  row("status: refused", [] { return lostAnswerText(kNorthern, MessageSet::Status869, SocketTrouble::Refused); },
      kSentTo + "the connection failed before the answer was complete" + kReached + kStatusNext);
  row("order: longer than announced", [] { return answerTooLongText(kNorthern, MessageSet::Order850, 20); },
      kSentTo + "the answer is longer than the 20 bytes its length line announced" + kReached + kOrderNext);
  row("inquiry: longer than announced, vendor not known", [] {
    return answerTooLongText(kUnknownVendor, MessageSet::Inquiry846, 42);
  }, "The request was sent to the distributor at 10.20.30.40:12001, but the answer is longer than the 42 bytes its "
     "length line announced: it may have reached the distributor. " + kInquiryNext);
}

void ExchangeTextsTest::everyCaseSaysWhatHappenedAndWhatToDo() {
  QFETCH(Text, text);
  QFETCH(QString, expected);
  const std::string said = text();
  QCOMPARE(QString::fromStdString(said), expected);
  // Printable ASCII for the Latin-1 boxes; no socket number and no routine.
  QVERIFY(std::all_of(said.begin(), said.end(), [](char c) { return c >= 0x20 && c < 0x7F; }));
  QVERIFY(!expected.contains(QRegularExpression(QStringLiteral("\\b1[01]0\\d\\d\\b"))));
  QVERIFY(!expected.contains(QStringLiteral("routine")));
}

QTEST_MAIN(ExchangeTextsTest)
#include "tst_exchangetexts.moc"
