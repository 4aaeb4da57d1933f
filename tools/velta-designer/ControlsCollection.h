// The Designer plugin: the order control and the inquiry control in the
// widget box's "Velta" group, as "Velta order" and "Velta inquiry". Designer
// makes each control in design mode, so that placing one on a form reads no
// site settings, touches no share and shows no box; a form loaded at run time
// with QUiLoader gets working controls.
#pragma once

#include <QList>
#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

class ControlsCollection : public QObject, public QDesignerCustomWidgetCollectionInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
  Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

 public:
  explicit ControlsCollection(QObject* parent = nullptr);

  QList<QDesignerCustomWidgetInterface*> customWidgets() const override;

 private:
  QList<QDesignerCustomWidgetInterface*> widgets_;
};
