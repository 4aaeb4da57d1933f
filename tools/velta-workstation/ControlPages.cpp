#include "tools/velta-workstation/ControlPages.h"

#include <QStackedLayout>
#include <QTabBar>
#include <QVBoxLayout>

namespace velta::workstation {

ControlPages::ControlPages(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this)) {
  bar_->setObjectName(QStringLiteral("pageTabs"));
  bar_->setExpanding(false);
  auto* holder = new QWidget(this);
  holder->setObjectName(QStringLiteral("pageStack"));
  stack_ = new QStackedLayout(holder);
  stack_->setContentsMargins(0, 0, 0, 0);
  stack_->setStackingMode(QStackedLayout::StackAll);
  auto* whole = new QVBoxLayout(this);
  whole->setContentsMargins(0, 0, 0, 0);
  whole->setSpacing(0);
  whole->addWidget(bar_);
  whole->addWidget(holder, 1);
  connect(bar_, &QTabBar::currentChanged, this, &ControlPages::select);
}

int ControlPages::addPage(QWidget* page, const QString& title) {
  // The page on top covers the others wholly.
  page->setAutoFillBackground(true);
  const int index = stack_->addWidget(page);
  bar_->addTab(title);
  select(bar_->currentIndex());
  return index;
}

int ControlPages::currentIndex() const { return bar_->currentIndex(); }

void ControlPages::setCurrentIndex(int index) { bar_->setCurrentIndex(index); }

QWidget* ControlPages::page(int index) const { return stack_->widget(index); }

int ControlPages::count() const { return stack_->count(); }

void ControlPages::step(int by) {
  const int pages = count();
  if (pages == 0) return;
  setCurrentIndex(((currentIndex() + by) % pages + pages) % pages);
}

void ControlPages::select(int index) {
  if (index < 0 || index >= stack_->count()) return;
  for (int i = 0; i < stack_->count(); ++i) stack_->widget(i)->setEnabled(i == index);
  stack_->setCurrentIndex(index);
  stack_->widget(index)->raise();
  emit currentChanged(index);
}

}  // namespace velta::workstation
