// Pages under a tab bar that never hide a page.
//
// A control's show handler runs each time it is shown after being hidden: on
// the pages of a QTabWidget, going to another page and back would reset the
// order control's choices (ship method, back-order code, ship date) and its
// busy display in the middle of an exchange. Here every page stays shown; the
// chosen one lies on top, and the others are disabled so that neither the
// keyboard nor the mouse reaches what lies beneath.
//
//   ControlPages pages;
//   pages.addPage(orderPage, "Purchase order");
//   pages.setCurrentIndex(0);
#pragma once

#include <QString>
#include <QWidget>

class QStackedLayout;
class QTabBar;

namespace velta::workstation {

class ControlPages : public QWidget {
  Q_OBJECT

 public:
  explicit ControlPages(QWidget* parent = nullptr);

  // The page's index; the first page added is the current one.
  int addPage(QWidget* page, const QString& title);
  int currentIndex() const;
  void setCurrentIndex(int index);
  QWidget* page(int index) const;
  QTabBar* tabBar() const { return bar_; }

 signals:
  void currentChanged(int index);

 private:
  void select(int index);

  QTabBar* bar_;
  QStackedLayout* stack_;
};

}  // namespace velta::workstation
