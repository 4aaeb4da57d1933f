// The journal page of the main window: the exchanges of the journal folder,
// one row each as `velta-data journal` lists them, and below the list the
// bytes of the selected one, request then answer, exactly as they went
// (bytes outside printable ASCII escaped as in the transcript, a line break
// after each LF).
//
//   JournalView view;
//   view.setFolder("/home/dealer/velta-journal");   // reads it
//   view.refresh();                                  // after an exchange
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <string_view>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace velta::workstation {

class JournalView : public QWidget {
  Q_OBJECT

 public:
  explicit JournalView(QWidget* parent = nullptr);

  // The folder the controls journal to; empty: none is kept.
  void setFolder(const QString& folder);
  QString folder() const { return folder_; }

  // Reads the journal again; the selected exchange stays selected.
  void refresh();

  QTreeWidget* list() const { return list_; }
  QPlainTextEdit* bytes() const { return bytes_; }
  // What the page says about the journal: its folder and how many exchanges, or why there are none.
  QString stateText() const;

  // The bytes as the page shows them.
  static QString shownBytes(std::string_view bytes);

 private:
  void showSelected();

  QString folder_;
  QLabel* state_;
  QPushButton* refresh_;
  QTreeWidget* list_;
  QPlainTextEdit* bytes_;
};

}  // namespace velta::workstation
