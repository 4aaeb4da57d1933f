#include "qt/NoticeRouting.h"

#include <QtGlobal>
#include <utility>

#include "base/BaseState.h"
#include "qt/Latin1.h"

namespace velta::qt {

MessageBox noticeBox(const velta::Notice& notice, const QString& libraryName) {
  MessageBox box;
  box.text = fromLatin1(notice.text);
  box.title = notice.title.empty() ? libraryName : fromLatin1(notice.title);
  switch (notice.icon) {
    case velta::Notice::Icon::None: box.icon = MessageIcon::None; break;
    case velta::Notice::Icon::Critical: box.icon = MessageIcon::Critical; break;
    case velta::Notice::Icon::Information: box.icon = MessageIcon::Information; break;
  }
  box.buttons = MessageButtons::Ok;
  box.systemModal = notice.systemModal;
  return box;
}

void routeNotice(const velta::Notice& notice, Presenter& presenter, QWidget* owner, const QString& libraryName) {
  if (notice.logOnly) {
    const MessageBox box = noticeBox(notice, libraryName);
    qWarning("%s: %s: %s", qUtf8Printable(libraryName), qUtf8Printable(box.title), qUtf8Printable(box.text));
    return;
  }
  presenter.showMessage(owner, noticeBox(notice, libraryName));
}

NoticeScope::NoticeScope(Presenter& presenter, QWidget* owner, QString libraryName)
    : previous_(velta::baseState().notice) {
  QPointer<QWidget> guardedOwner(owner);
  velta::baseState().notice = [&presenter, guardedOwner, libraryName = std::move(libraryName)](
                                    const velta::Notice& notice) {
    routeNotice(notice, presenter, guardedOwner.data(), libraryName);
  };
}

NoticeScope::~NoticeScope() { velta::baseState().notice = std::move(previous_); }

}  // namespace velta::qt
