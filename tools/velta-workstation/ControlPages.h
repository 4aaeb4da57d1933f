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
//   pages.addPage(orderPage, "Purchase &order");   // Alt+O chooses it
//   pages.setCurrentIndex(0);
//   pages.step(1);                                  // the next page
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
  int count() const;
  QTabBar* tabBar() const { return bar_; }

  // The page `by` places after the current one (before it, when negative),
  // round from the last to the first: Ctrl+Tab and Ctrl+PgDn, with -1
  // Ctrl+Shift+Tab and Ctrl+PgUp.
  void step(int by);

 signals:
  void currentChanged(int index);

 private:
  void select(int index);

  QTabBar* bar_;
  QStackedLayout* stack_;
};

}  // namespace velta::workstation
