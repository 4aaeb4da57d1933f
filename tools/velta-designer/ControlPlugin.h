// One control as Designer's widget box shows it: its class, the name a person
// reads, its icon and header, the texts of its properties, and a factory.
//
// Controls are made in design mode only for a form editor: Designer hands
// every plugin its form editor through initialize() before it makes a widget,
// while QUiLoader (a host loading a form at run time) never initializes a
// plugin and gets controls that work.
#pragma once

#include <QObject>
#include <QString>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <functional>

class ControlPlugin : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  struct Description {
    QString className;    // "veltaorder::UserControl1"
    QString displayName;  // in the widget box: "Velta order"
    QString iconFile;     // a resource of the plugin
    QString objectName;   // of a new control on a form
    QString includeFile;  // "order/UserControl1.h"
    QString toolTip;
    QString whatsThis;
    QString propertySpecifications;  // the <propertyspecifications> of domXml()
    std::function<QWidget*(QWidget* parent, bool designMode)> create;
  };

  ControlPlugin(Description description, QObject* parent);

  QString name() const override;
  QString group() const override;
  QString toolTip() const override;
  QString whatsThis() const override;
  QString includeFile() const override;
  QIcon icon() const override;
  bool isContainer() const override;
  QString domXml() const override;
  QWidget* createWidget(QWidget* parent) override;
  bool isInitialized() const override;
  void initialize(QDesignerFormEditorInterface* core) override;

 private:
  Description description_;
  bool initialized_ = false;
  bool forFormEditor_ = false;  // initialized with a form editor
};
