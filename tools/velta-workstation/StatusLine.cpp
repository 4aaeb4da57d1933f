#include "tools/velta-workstation/StatusLine.h"

#include <QFontMetrics>
#include <QResizeEvent>

namespace velta::workstation {

namespace {
constexpr int kLeastCharacters = 12;
}  // namespace

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setWordWrap(false);
}

void StatusLine::setFullText(const QString& text, const QString& details) {
  full_ = text;
  setToolTip(details.isEmpty() ? text : text + QLatin1Char('\n') + details);
  updateGeometry();
  fit();
}

QSize StatusLine::sizeHint() const {
  const QMargins m = contentsMargins();
  return {fontMetrics().horizontalAdvance(full_) + m.left() + m.right() + 2 * margin(), QLabel::sizeHint().height()};
}

QSize StatusLine::minimumSizeHint() const {
  return {fontMetrics().averageCharWidth() * kLeastCharacters, QLabel::minimumSizeHint().height()};
}

void StatusLine::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  fit();
}

void StatusLine::fit() {
  const int room = contentsRect().width() - 2 * margin();
  setText(fontMetrics().elidedText(full_, Qt::ElideMiddle, room));
}

}  // namespace velta::workstation
