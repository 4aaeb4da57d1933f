// Fuzz target of the order control's answer handling: any bytes as a
// complete answer, given to parseResponse (first byte even) or to
// statusResponse (odd), through a headless control with a presenter that
// answers at once. Whatever the answer, the control either shows one form and
// raises controlShutdown once, or shows one error box and raises nothing; an
// order is never shown as accepted without its acknowledgement form.
#include <QApplication>
#include <QDialog>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "order/UserControl1.h"
#include "qt/Presenter.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

class CountingPresenter : public velta::qt::Presenter {
 public:
  velta::qt::MessageAnswer showMessage(QWidget*, const velta::qt::MessageBox& box) override {
    ++boxes;
    return velta::qt::defaultAnswer(box);
  }
  void showForm(QWidget*, QDialog& form) override {
    ++forms;
    lastForm = form.objectName();
  }
  int boxes = 0;
  int forms = 0;
  QString lastForm;
};

QApplication& application() {
  static int argc = 1;
  static char name[] = "fuzz_order_control_answers";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

}  // namespace

// The font library under Qt's offscreen platform keeps its caches to the end
// of the process; only its own allocations are let pass.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  application();
  const bool status = (data[0] & 1) != 0;
  std::string response(reinterpret_cast<const char*>(data) + 1, size - 1);
  auto totByte = static_cast<std::int32_t>(response.size());

  CountingPresenter presenter;
  veltaorder::UserControl1 control;  // not shown: no business system is needed to read an answer
  control.setPresenter(&presenter);
  control.initProperties();
  int shutdowns = 0;
  QObject::connect(&control, &veltaorder::UserControl1::controlShutdown, [&] { ++shutdowns; });
  if (status) {
    control.statusResponse(response, totByte);
  } else {
    control.parseResponse(response, totByte);
  }

  check(!control.isTransmitting());
  if (presenter.boxes > 0) {
    // Refused: reported once, nothing shown, nothing accepted.
    check(presenter.boxes == 1);
    check(presenter.forms == 0);
    check(shutdowns == 0);
    check(control.xPOSuccess().toInt() == 0);
    check(!control.errText().isEmpty());
    return 0;
  }
  check(presenter.forms == 1);
  check(shutdowns == 1);
  const bool accepted = control.xPOSuccess().toInt() == 1;
  check(accepted == (presenter.lastForm == QStringLiteral("frmPoResponse")));
  check(accepted == (control.lastOutcome() == QStringLiteral("acknowledged")));
  if (status) check(!accepted);
  return 0;
}
