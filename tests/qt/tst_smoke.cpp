// One real message box and one real form through the production presenter.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "qt/QtPresenter.h"
#include "qt/frmException.h"

using velta::qt::MessageAnswer;
using velta::qt::MessageBox;
using velta::qt::MessageButtons;
using velta::qt::MessageIcon;
using velta::qt::QtPresenter;

namespace {

// Polls for the modal widget every 10 ms and hands it to `act`, once. Past the
// deadline it rejects every dialog, so that a presenter that never returns
// fails the test instead of hanging it.
class ModalPoller {
 public:
  explicit ModalPoller(std::function<void(QWidget*)> act) : act_(std::move(act)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        if (!acted_) {
          acted_ = true;
          act_(modal);
        }
      }
      if (++ticks_ > kDeadlineTicks) {
        timedOut_ = true;
        for (QWidget* w : QApplication::topLevelWidgets()) {
          if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->done(QDialog::Rejected);
        }
      }
    });
    timer_.start(10);
  }
  bool acted() const { return acted_; }
  bool timedOut() const { return timedOut_; }

 private:
  static constexpr int kDeadlineTicks = 1000;  // ten seconds
  std::function<void(QWidget*)> act_;
  QTimer timer_;
  bool acted_ = false;
  bool timedOut_ = false;
  int ticks_ = 0;
};

}  // namespace

class SmokeTest : public QObject {
  Q_OBJECT

 private slots:
  void realMessageBox() {
    QWidget owner;
    owner.show();
    QString shownText;
    QString shownTitle;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    Qt::WindowModality modality = Qt::NonModal;
    QWidget* parent = nullptr;
    QStringList buttons;
    ModalPoller poller([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (!box) return;
      shownText = box->text();
      shownTitle = box->windowTitle();
      shownIcon = box->icon();
      modality = box->windowModality();
      parent = box->parentWidget();
      for (QAbstractButton* b : box->buttons()) buttons << b->text().remove(QLatin1Char('&'));
      box->button(QMessageBox::No)->click();
    });
    QtPresenter presenter;
    const MessageAnswer answer = presenter.showMessage(
        &owner, MessageBox{QStringLiteral(" Error 13  Type mismatch\r\n in setPO routine\r\n"),
                           QStringLiteral("veltaorder Error"), MessageIcon::Critical, MessageButtons::YesNo, true});
    QVERIFY(!poller.timedOut());
    QVERIFY(poller.acted());
    QCOMPARE(answer, MessageAnswer::No);
    QCOMPARE(shownText, QStringLiteral(" Error 13  Type mismatch\n in setPO routine\n"));
    QCOMPARE(shownTitle, QStringLiteral("veltaorder Error"));
    QCOMPARE(shownIcon, QMessageBox::Critical);
    QCOMPARE(modality, Qt::ApplicationModal);
    QCOMPARE(parent, &owner);
    QCOMPARE(buttons.size(), qsizetype(2));
  }

  void realForm() {
    QWidget owner;
    owner.show();
    velta::qt::frmException form(velta::qt::ExceptionWording::Inquiry);
    bool modal = false;
    QWidget* parent = nullptr;
    int finished = 0;
    connect(&form, &QDialog::finished, [&] { ++finished; });
    ModalPoller poller([&](QWidget* shown) {
      if (shown != &form) return;
      modal = form.isModal();
      parent = form.parentWidget();
      form.findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
    });
    QtPresenter presenter;
    presenter.showForm(&owner, form);
    QVERIFY(!poller.timedOut());
    QVERIFY(poller.acted());
    QVERIFY(modal);
    QCOMPARE(parent, &owner);
    QCOMPARE(finished, 1);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(form.isHidden());
    // The caller's form is the caller's again: it goes when the caller drops it.
    QCOMPARE(form.parentWidget(), nullptr);
  }

  // Every button set as Qt shows it: its buttons, the default one (the first
  // when the box names none of them) and the one Escape presses.
  void buttonSets_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("defaultShown");
    QTest::addColumn<int>("escape");
    using B = QMessageBox;
    const auto row = [](const char* name, MessageButtons buttons, int defaultButton, QMessageBox::StandardButtons shown,
                        B::StandardButton defaultShown, B::StandardButton escape) {
      QTest::newRow(name) << int(buttons) << defaultButton << int(shown) << int(defaultShown) << int(escape);
    };
    row("ok", MessageButtons::Ok, 0, B::Ok, B::Ok, B::Ok);
    row("ok cancel, Cancel the default", MessageButtons::OkCancel, 1, B::Ok | B::Cancel, B::Cancel, B::Cancel);
    row("yes no", MessageButtons::YesNo, 0, B::Yes | B::No, B::Yes, B::No);
    row("yes no, No the default", MessageButtons::YesNo, 1, B::Yes | B::No, B::No, B::No);
    row("yes no cancel, the third", MessageButtons::YesNoCancel, 2, B::Yes | B::No | B::Cancel, B::Cancel, B::Cancel);
    row("retry cancel", MessageButtons::RetryCancel, 0, B::Retry | B::Cancel, B::Retry, B::Cancel);
    row("abort retry ignore, none of them", MessageButtons::AbortRetryIgnore, 5, B::Abort | B::Retry | B::Ignore,
        B::Abort, B::Abort);
  }
  void buttonSets() {
    QFETCH(int, buttons);
    QFETCH(int, defaultButton);
    QFETCH(int, shown);
    QFETCH(int, defaultShown);
    QFETCH(int, escape);
    MessageBox box;
    box.buttons = MessageButtons(buttons);
    box.defaultButton = defaultButton;
    const auto dialog = velta::qt::createMessageBox(nullptr, box);
    QCOMPARE(int(dialog->standardButtons()), shown);
    QCOMPARE(dialog->defaultButton(), dialog->button(QMessageBox::StandardButton(defaultShown)));
    QCOMPARE(dialog->escapeButton(), dialog->button(QMessageBox::StandardButton(escape)));
  }

  void lineFeeds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("CR LF") << QStringLiteral("a\r\nb") << QStringLiteral("a\nb");
    QTest::newRow("lone CR") << QStringLiteral("a\rb") << QStringLiteral("a\nb");
    QTest::newRow("LF") << QStringLiteral("a\nb") << QStringLiteral("a\nb");
    QTest::newRow("LF CR") << QStringLiteral("a\n\rb") << QStringLiteral("a\n\nb");
  }
  void lineFeeds() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(velta::qt::withLineFeeds(text), shown);
  }
};

QTEST_MAIN(SmokeTest)
#include "tst_smoke.moc"
