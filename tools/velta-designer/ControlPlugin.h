// One control as Designer's widget box shows it: its class, its header, the
// texts of its properties, and a factory that makes it in design mode.
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
    QString objectName;   // of a new control on a form
    QString includeFile;  // "order/UserControl1.h"
    QString toolTip;
    QString whatsThis;
    QString propertySpecifications;  // the <propertyspecifications> of domXml()
    std::function<QWidget*(QWidget*)> create;  // a control in design mode
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
};
