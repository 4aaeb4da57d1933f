// The inquiry control's form: its controls with their names and captions,
// the two grids (the parts asked for, the answer's rows), and their layout.
//
//   InquiryForm form(*control);      // every control a child of the control
//   form.grdIQ->setTextMatrix(1, 1, part);
#pragma once

#include <array>

class QLabel;
class QPushButton;
class QWidget;

namespace velta::qt {
class Grid;
class Socket;
}  // namespace velta::qt

namespace veltaiq {

struct InquiryForm {
  static constexpr int kEntryRows = 6;     // row 1 the host's part, rows 2 to 6 the user's
  static constexpr int kEntryColumns = 4;  // Line, Part, Qty, Description

  explicit InquiryForm(QWidget& control);

  QWidget* q;
  QLabel* lblHeader = nullptr;
  QLabel* lblDesc = nullptr;
  QLabel* lblVersion = nullptr;
  std::array<QLabel*, 9> Label1{};
  std::array<QLabel*, 5> lblSearch{};
  velta::qt::Grid* grdIQ = nullptr;
  velta::qt::Grid* grdItem = nullptr;
  QPushButton* CmdSearch = nullptr;
  QPushButton* cmdExit = nullptr;
  velta::qt::Socket* ws1 = nullptr;

 private:
  void layOut();
};

}  // namespace veltaiq
