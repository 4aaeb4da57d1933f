// The core's notices reach the presenter of the control that made the call.
#include <QWidget>
#include <QtTest>

#include "base/BaseState.h"
#include "base/Notice.h"
#include "platform/ShareAccess.h"
#include "qt/NoticeRouting.h"
#include "support/RecordingPresenter.h"

using velta::Notice;
using velta::qt::MessageIcon;
using velta::qt::NoticeScope;
using velta::qt::RecordingPresenter;

namespace {

// Collects what goes to the log while it lives.
struct LogCapture {
  static inline QStringList* lines = nullptr;
  QStringList captured;
  QtMessageHandler previous;
  LogCapture() {
    lines = &captured;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
      if (type == QtWarningMsg && lines) lines->append(text);
    });
  }
  ~LogCapture() {
    qInstallMessageHandler(previous);
    lines = nullptr;
  }
};

}  // namespace

class NoticeTest : public QObject {
  Q_OBJECT

 private slots:
  void boxes_data() {
    QTest::addColumn<QString>("library");
    QTest::addColumn<QString>("noticeTitle");
    QTest::addColumn<int>("icon");
    QTest::addColumn<bool>("systemModal");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("boxIcon");
    QTest::newRow("index range, order control") << "veltaorder" << "" << int(Notice::Icon::Critical) << false
                                                << "veltaorder" << int(MessageIcon::Critical);
    QTest::newRow("index range, inquiry control") << "veltaiq" << "" << int(Notice::Icon::Critical) << false << "veltaiq"
                                                  << int(MessageIcon::Critical);
    QTest::newRow("settings file missing") << "veltaorder" << "EpcError" << int(Notice::Icon::None) << true << "EpcError"
                                           << int(MessageIcon::None);
    QTest::newRow("information") << "veltaiq" << "Note" << int(Notice::Icon::Information) << false << "Note"
                                 << int(MessageIcon::Information);
  }
  void boxes() {
    QFETCH(QString, library);
    QFETCH(QString, noticeTitle);
    QFETCH(int, icon);
    QFETCH(bool, systemModal);
    QFETCH(QString, title);
    QFETCH(int, boxIcon);
    RecordingPresenter presenter;
    QWidget owner;
    LogCapture log;
    {
      NoticeScope scope(presenter, &owner, library);
      Notice notice;
      notice.text = "Index is returning information out of Range.  File: VNDRL LastRec:  12\xE9";
      notice.title = noticeTitle.toStdString();
      notice.icon = static_cast<Notice::Icon>(icon);
      notice.systemModal = systemModal;
      velta::notify(notice);
    }
    QCOMPARE(presenter.boxes.size(), qsizetype(1));
    const auto& shown = presenter.boxes[0];
    QCOMPARE(shown.owner, &owner);
    QCOMPARE(shown.box.title, title);
    QCOMPARE(int(shown.box.icon), boxIcon);
    QCOMPARE(shown.box.systemModal, systemModal);
    QCOMPARE(shown.box.buttons, velta::qt::MessageButtons::Ok);
    QCOMPARE(shown.box.text, QString::fromLatin1("Index is returning information out of Range.  File: VNDRL LastRec:  12\xE9"));
    QVERIFY(log.captured.isEmpty());
  }

  void logOnlyIsNeverBoxed() {
    RecordingPresenter presenter;
    LogCapture log;
    {
      NoticeScope scope(presenter, nullptr, QStringLiteral("veltaorder"));
      Notice notice;
      notice.text = "D1 (\\\\SRV\\HBTSLNK) cannot be reached: logon refused.";
      notice.title = "Share access";
      notice.icon = Notice::Icon::Critical;
      notice.logOnly = true;
      velta::notify(notice);
    }
    QVERIFY(presenter.boxes.isEmpty());
    QCOMPARE(log.captured,
             QStringList{QStringLiteral("veltaorder: Share access: D1 (\\\\SRV\\HBTSLNK) cannot be reached: logon refused.")});
  }

  void unreadableShareMapIsLogged() {
    RecordingPresenter presenter;
    LogCapture log;
    {
      NoticeScope scope(presenter, nullptr, QStringLiteral("veltaiq"));
      velta::ShareAccess shares;
      shares.configure({std::string("/nonexistent/velta/shares.conf"), std::nullopt});
      (void)shares.open("\\\\SRV\\HBTSLNK\\D1\\VNDRL");
    }
    QVERIFY(presenter.boxes.isEmpty());
    QCOMPARE(log.captured.size(), qsizetype(1));
    QVERIFY(log.captured[0].startsWith(QStringLiteral("veltaiq: Share map: The share map /nonexistent/velta/shares.conf")));
  }

  void scopeRestoresPrevious() {
    int before = 0;
    velta::baseState().notice = [&](const Notice&) { ++before; };
    RecordingPresenter outer;
    RecordingPresenter inner;
    {
      NoticeScope a(outer, nullptr, QStringLiteral("veltaorder"));
      velta::notify({"one", "", Notice::Icon::None});
      {
        NoticeScope b(inner, nullptr, QStringLiteral("veltaiq"));
        velta::notify({"two", "", Notice::Icon::None});
      }
      velta::notify({"three", "", Notice::Icon::None});
    }
    velta::notify({"four", "", Notice::Icon::None});
    QCOMPARE(outer.boxes.size(), qsizetype(2));
    QCOMPARE(outer.boxes[0].box.text, QStringLiteral("one"));
    QCOMPARE(outer.boxes[1].box.text, QStringLiteral("three"));
    QCOMPARE(outer.boxes[1].box.title, QStringLiteral("veltaorder"));
    QCOMPARE(inner.boxes.size(), qsizetype(1));
    QCOMPARE(inner.boxes[0].box.title, QStringLiteral("veltaiq"));
    QCOMPARE(before, 1);
    velta::baseState().notice = nullptr;
  }

  void ownerGoneMeansNoOwner() {
    RecordingPresenter presenter;
    auto* owner = new QWidget;
    NoticeScope scope(presenter, owner, QStringLiteral("veltaorder"));
    delete owner;
    velta::notify({"after", "", Notice::Icon::None});
    QCOMPARE(presenter.boxes.size(), qsizetype(1));
    QCOMPARE(presenter.boxes[0].owner, nullptr);
  }
};

QTEST_MAIN(NoticeTest)
#include "tst_notice.moc"
