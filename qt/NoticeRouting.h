// The engine's notices go to the presenter of the control whose call raised them.
//
// Every entry point of a control opens a scope; the core's notice callback then
// shows a notice as a message box through that control's presenter (titled
// with the library's name when the notice has no title of its own), or writes
// it to the log (qWarning) when it is meant for the log only. Leaving the scope
// restores the callback that was there before.
//
//   void UserControl1::setPO() {
//     velta::qt::NoticeScope notices(*presenter_, this, "veltaorder");
//     ...
//   }
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "base/Notice.h"
#include "qt/Presenter.h"

namespace velta::qt {

class NoticeScope {
 public:
  NoticeScope(Presenter& presenter, QWidget* owner, QString libraryName);
  ~NoticeScope();
  NoticeScope(const NoticeScope&) = delete;
  NoticeScope& operator=(const NoticeScope&) = delete;

 private:
  velta::NoticeCallback previous_;
};

// The box a notice becomes: Latin-1 text, its title or else `libraryName`,
// its icon, OK only.
MessageBox noticeBox(const velta::Notice& notice, const QString& libraryName);
// Shows the notice through the presenter, or logs it.
void routeNotice(const velta::Notice& notice, Presenter& presenter, QWidget* owner, const QString& libraryName);

}  // namespace velta::qt
