// What the order control's exchange tests share: a sample business system whose
// distributor is three fakes on 127.0.0.1, a recording presenter, the clock at
// 8 Dec 2026 21:05:07, and the order control shown and loaded.
//
//   initTestCase(): QVERIFY(bench_.write());  init(): bench_.reset();
//   auto control = bench_.loaded("100231");
#pragma once

#include <QByteArray>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <memory>

#include "base/BaseState.h"
#include "base/Clock.h"
#include "order/UserControl1.h"
#include "order/WorkstationSetup.h"
#include "support/FakeDistributor.h"
#include "support/RecordingPresenter.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace velta::qt {

inline QByteArray framed(const QByteArray& message) { return QByteArray::number(message.size()) + '\n' + message; }

inline const QByteArray kOrderHeader = "00|//VELTA//850ACK|||DIST|8153|21:05:09|20261208||BMS|||||||\n";
inline const QByteArray kExceptionHeader = "00|//VELTA//EXR|||DIST|8153|21:05:09|20261208||BMS|||||||\n";

template <typename T>
T* child(QWidget& control, const char* name) {
  T* found = control.findChild<T*>(QString::fromLatin1(name));
  if (!found) qFatal("no child %s", name);
  return found;
}

// The order control's transmitting state: its label shown or its timer running.
inline bool busy(QWidget& control) {
  return !child<QLabel>(control, "lblXmit")->isHidden() || child<QTimer>(control, "Timer1")->isActive();
}

struct ExchangeBench {
  QTemporaryDir dir;
  velta::sample::SampleBusinessSystem sample;
  RecordingPresenter presenter;
  velta::test::FakeDistributor orders, status, inquiry;

  // The sample written with 200 parts, and the order control's shares pointed at it.
  bool write() {
    if (!dir.isValid()) return false;
    velta::sample::SampleOptions options;
    options.parts = 200;
    options.distributor.host = "127.0.0.1";
    options.distributor.orderPort = orders.port();
    options.distributor.statusPort = status.port();
    options.distributor.inquiryPort = inquiry.port();
    sample = velta::sample::writeSampleBusinessSystem(dir.path().toStdString(), options);
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(sample.configHome().string()));
    veltaorder::WorkstationSetup::setShares(root(), {});
    return true;
  }
  QString root() const { return QString::fromStdString(sample.root.string()); }

  // The state of a new test: the clock set, nothing recorded, every distributor listening.
  void reset() {
    qputenv("TMPDIR", QByteArray::fromStdString(sample.tmpDir().string()));
    using namespace std::chrono;
    velta::baseState().clock = [] {
      return velta::DateTime{year{2026} / December / 8, hours{21} + minutes{5} + seconds{7}};
    };
    presenter.clear();
    presenter.onForm = nullptr;
    presenter.onBox = nullptr;
    for (velta::test::FakeDistributor* fake : {&orders, &status, &inquiry}) fake->reset();
  }

  std::unique_ptr<veltaorder::UserControl1> loaded(const char* number, const QString& journal = {}) {
    auto control = std::make_unique<veltaorder::UserControl1>();
    control->setPresenter(&presenter);
    control->initProperties();
    control->setJournalFolder(journal);
    control->show();
    control->setXPONum(QString::fromLatin1(number));
    control->setPO();
    return control;
  }
};

}  // namespace velta::qt
