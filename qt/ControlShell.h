// What every control wraps around its routines, the same for both: the entry
// of each public routine and event handler, the error box, errText, the
// presenter, design mode, and its hold on the shared engine.
//
//   ControlShell shell(*this, "veltaorder", "veltaorder Error");
//   void UserControl1::setPO() {
//     shell.entry(" in setPO routine", [&] { ... });   // nothing escapes; a failure is boxed
//   }
//
// Nothing a routine meets may escape to the host (an exception through a Qt
// event handler ends the host process), so an entry catches everything and
// reports it in the error box:
//
//   " Error " + number + "  " + description + CR LF + suffix + CR LF
//
// followed, when the failure has a detail (which record of an answer fell
// short), by two blanks, the detail and CR LF on a line of their own. The text
// is kept as errText and shown system-modal, icon none, OK only, titled with
// the control's error title (or the one the routine gives). A presenter that
// fails leaves the text in errText and stops nothing.
#pragma once

#include <QString>
#include <QWidget>
#include <exception>
#include <functional>
#include <utility>

#include "engine/EngineHold.h"
#include "qt/ControlFailure.h"
#include "qt/NoticeRouting.h"
#include "qt/Presenter.h"

class QShowEvent;

namespace velta::qt {

class ControlShell {
 public:
  ControlShell(QWidget& control, QString library, QString errorTitle);
  ControlShell(const ControlShell&) = delete;
  ControlShell& operator=(const ControlShell&) = delete;

  // The presenter set by the host, else the real Qt dialogs.
  Presenter& presenter() const;
  void setPresenter(Presenter* presenter) { presenter_ = presenter; }

  // Placed in a form designer: the show handler does not run.
  bool designMode() const { return designMode_; }
  void setDesignMode(bool on) { designMode_ = on; }
  // Whether a show event runs the show handler: shown by the host (not a
  // window restored by the window system), and not in design mode.
  bool runsShowHandler(const QShowEvent& event) const;

  // The text of the last error box.
  const QString& errText() const { return errText_; }
  // Told of every error text, before its box is shown.
  void setErrTextListener(std::function<void(const QString&)> listener) { errTextListener_ = std::move(listener); }

  // Runs one entry point: the engine's notices go to this control's
  // presenter, and a failure is reported with `suffix` (and `title`, when
  // given, instead of the control's error title).
  template <typename Body>
  void entry(const char* suffix, Body&& body, const QString& title = {}) {
    NoticeScope notices(presenter(), &control_, library_);
    try {
      body();
    } catch (...) {
      report(failureOf(std::current_exception()), suffix, title);
    }
  }

  void report(const Failure& failure, const char* suffix, const QString& title = {});
  // The same with a description of the control's own wording.
  void report(int number, const QString& description, const QString& detail, const char* suffix,
              const QString& title = {});
  // A text of the routine's own layout, and the detail on a line of its own.
  void reportText(const QString& text, const QString& detail, const QString& title = {});

  // Any other box of the control, owned by it; its answer.
  MessageAnswer show(const MessageBox& box);

 private:
  QWidget& control_;
  QString library_;
  QString errorTitle_;
  Presenter* presenter_ = nullptr;
  bool designMode_ = false;
  QString errText_;
  std::function<void(const QString&)> errTextListener_;
  EngineHold engine_;
};

}  // namespace velta::qt
