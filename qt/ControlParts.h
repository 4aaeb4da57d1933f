// What every control is made of besides its own state: the shell its routines
// run in, its form, and the one exchange it holds with the distributor.
//
//   struct UserControl1::Private : velta::qt::ControlParts<OrderForm> {
//     explicit Private(UserControl1* q) : ControlParts(*q, "veltaorder", "veltaorder Error") {}
//   };
//
// They go in the reverse order: the exchange (an open one is journaled as
// abandoned), the form, then the shell and with it the control's hold on the
// shared engine, after everything the control itself keeps.
#pragma once

#include <QString>
#include <QWidget>
#include <utility>

#include "qt/ControlShell.h"
#include "qt/Exchange.h"

namespace velta::qt {

template <typename Form>
struct ControlParts {
  ControlParts(QWidget& control, QString library, QString errorTitle)
      : shell(control, std::move(library), std::move(errorTitle)), form(control) {}

  ControlShell shell;
  Form form;  // every widget a child of the control
  Exchange exchange;
};

}  // namespace velta::qt
