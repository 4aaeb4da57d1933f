// A line of the status bar that never makes the window wider than the
// dealer wants it: a text too long for its room (a deep share map path) is
// shortened in the middle, and the whole of it is its tooltip, with the
// details that the line leaves out.
#pragma once

#include <QLabel>
#include <QString>

namespace velta::workstation {

class StatusLine : public QLabel {
  Q_OBJECT
  Q_PROPERTY(QString fullText READ fullText WRITE setFullText)

 public:
  explicit StatusLine(QWidget* parent = nullptr);

  QString fullText() const { return full_; }
  // `details`, for support (paths, hosts), follow the text in the tooltip.
  void setFullText(const QString& text, const QString& details = {});

  // The whole text's size, so that a layout gives it room when it has some;
  // the least is a few characters.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void fit();

  QString full_;
};

}  // namespace velta::workstation
