#include "workstation/LayoutChecks.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <climits>

namespace velta::test {

namespace {

// Shown as part of `top`, not a window of its own, not scrolled content.
bool shownIn(const QWidget& widget, const QWidget& top) {
  if (!widget.isVisibleTo(&top)) return false;
  for (const QWidget* w = &widget; w && w != &top; w = w->parentWidget()) {
    if (w->isWindow()) return false;
    const QWidget* parent = w->parentWidget();
    if (const auto* area = qobject_cast<const QAbstractScrollArea*>(parent ? parent->parentWidget() : nullptr)) {
      if (area->viewport() == parent) return false;
    }
  }
  return true;
}

QString quoted(const QString& text) {
  QString shown = text;
  shown.replace(QLatin1Char('\n'), QLatin1String("\\n"));
  return QLatin1Char('"') + shown + QLatin1Char('"');
}

QString fault(const QWidget& widget, const QString& text, const QString& what) {
  return describe(widget) + QLatin1Char(' ') + quoted(text) + QStringLiteral(": ") + what;
}

// The indent QLabel gives framed text when none is set.
int labelIndent(const QLabel& label) {
  if (label.indent() >= 0) return label.indent();
  return label.frameWidth() > 0 ? label.fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 : 0;
}

void checkLabel(const QLabel& label, QStringList& faults) {
  const QString text = label.text();
  if (text.isEmpty() || label.textFormat() == Qt::RichText || !label.pixmap().isNull()) return;
  const int m = label.margin();
  const QRect room = label.contentsRect().adjusted(m, m, -m, -m);
  const int width = room.width() - labelIndent(label);
  int flags = label.buddy() ? Qt::TextShowMnemonic : 0;
  if (label.wordWrap()) flags |= Qt::TextWordWrap;
  const QRect needed = label.fontMetrics().boundingRect(QRect(0, 0, width, INT_MAX / 2), flags, text);
  if (needed.width() > width) {
    faults << fault(label, text, QStringLiteral("needs %1 px wide, has %2").arg(needed.width()).arg(width));
  }
  if (needed.height() > room.height()) {
    faults << fault(label, text, QStringLiteral("needs %1 px high, has %2").arg(needed.height()).arg(room.height()));
  }
}

// The room a button's style leaves for its text (and icon).
int buttonTextRoom(const QAbstractButton& button, QStyle::SubElement element) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  option.icon = button.icon();
  option.iconSize = button.iconSize();
  const QRect contents = button.style()->subElementRect(element, &option, &button);
  int room = contents.width();
  if (!button.icon().isNull()) room -= button.iconSize().width() + 4;
  return room;
}

void checkButton(const QAbstractButton& button, QStringList& faults) {
  const QString text = button.text();
  if (text.isEmpty()) return;
  const bool check = qobject_cast<const QCheckBox*>(&button) != nullptr;
  const int room = buttonTextRoom(button, check ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents);
  const int needed = button.fontMetrics().size(Qt::TextShowMnemonic, text).width();
  if (needed > room) faults << fault(button, text, QStringLiteral("needs %1 px wide, has %2").arg(needed).arg(room));
}

}  // namespace

QString describe(const QWidget& widget) {
  const auto name = [](const QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
  };
  const QWidget* parent = widget.parentWidget();
  return parent ? name(parent) + QLatin1Char('/') + name(&widget) : name(&widget);
}

QStringList clippedCaptions(const QWidget& top) {
  QStringList faults;
  for (const QLabel* label : top.findChildren<QLabel*>()) {
    if (shownIn(*label, top)) checkLabel(*label, faults);
  }
  for (const QAbstractButton* button : top.findChildren<QAbstractButton*>()) {
    if (!qobject_cast<const QPushButton*>(button) && !qobject_cast<const QCheckBox*>(button)) continue;
    if (shownIn(*button, top)) checkButton(*button, faults);
  }
  return faults;
}

QStringList narrowColumns(const QWidget& top) {
  QStringList faults;
  for (const QHeaderView* header : top.findChildren<QHeaderView*>()) {
    if (header->orientation() != Qt::Horizontal || !header->isVisibleTo(&top) || !header->model()) continue;
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const QFontMetrics metrics(header->font());
    for (int section = 0; section < header->count(); ++section) {
      if (header->isSectionHidden(section)) continue;
      const QString title = header->model()->headerData(section, Qt::Horizontal, Qt::DisplayRole).toString();
      const int needed = metrics.horizontalAdvance(title) + 2 * margin;
      if (header->sectionSize(section) < needed) {
        faults << fault(*header, title,
                        QStringLiteral("column %1 needs %2 px, has %3").arg(section).arg(needed).arg(header->sectionSize(section)));
      }
    }
  }
  return faults;
}

QStringList widgetsOutside(const QWidget& top) {
  QStringList faults;
  const QRect bounds = top.rect();
  for (const QWidget* widget : top.findChildren<QWidget*>()) {
    if (!shownIn(*widget, top)) continue;
    const QRect place(widget->mapTo(&top, QPoint(0, 0)), widget->size());
    if (!bounds.contains(place)) {
      faults << describe(*widget) + QStringLiteral(" lies at (%1,%2 %3x%4), outside %5x%6")
                                         .arg(place.x()).arg(place.y()).arg(place.width()).arg(place.height())
                                         .arg(bounds.width()).arg(bounds.height());
    }
  }
  return faults;
}

}  // namespace velta::test
