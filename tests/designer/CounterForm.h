// For the Designer tests: a form "CounterForm" of both controls as a .ui file
// holds it, with the <customwidgets> entries Designer writes for them.
//
//   const QString ui = counterForm(R"(<widget class="veltaorder::UserControl1" name="orderControl"/>)");
#pragma once

#include <QString>

// `body`: the properties and child widgets of the form's top-level QWidget.
inline QString counterForm(const char* body) {
  return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>CounterForm</class>
 <widget class="QWidget" name="CounterForm">
%1
 </widget>
 <customwidgets>
  <customwidget>
   <class>veltaorder::UserControl1</class>
   <extends>QWidget</extends>
   <header>order/UserControl1.h</header>
  </customwidget>
  <customwidget>
   <class>veltaiq::UserControl1</class>
   <extends>QWidget</extends>
   <header>inquiry/UserControl1.h</header>
  </customwidget>
 </customwidgets>
</ui>
)")
      .arg(QLatin1String(body));
}
