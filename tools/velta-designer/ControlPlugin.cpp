#include "ControlPlugin.h"

#include <QIcon>
#include <QWidget>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>
#include <utility>

#include "TextPropertySheet.h"

ControlPlugin::ControlPlugin(Description description, QObject* parent)
    : QObject(parent), description_(std::move(description)) {}

QString ControlPlugin::name() const { return description_.className; }
QString ControlPlugin::group() const { return QStringLiteral("Velta"); }
QString ControlPlugin::toolTip() const { return description_.toolTip; }
QString ControlPlugin::whatsThis() const { return description_.whatsThis; }
QString ControlPlugin::includeFile() const { return description_.includeFile; }
QIcon ControlPlugin::icon() const { return QIcon(description_.iconFile); }
bool ControlPlugin::isContainer() const { return false; }

QString ControlPlugin::domXml() const {
  return QStringLiteral("<ui language=\"c++\" displayname=\"%4\">\n"
                        " <widget class=\"%1\" name=\"%2\"/>\n"
                        " <customwidgets>\n"
                        "  <customwidget>\n"
                        "   <class>%1</class>\n"
                        "   <propertyspecifications>\n%3"
                        "   </propertyspecifications>\n"
                        "  </customwidget>\n"
                        " </customwidgets>\n"
                        "</ui>\n")
      .arg(description_.className, description_.objectName, description_.propertySpecifications,
           description_.displayName);
}

QWidget* ControlPlugin::createWidget(QWidget* parent) { return description_.create(parent, forFormEditor_); }

bool ControlPlugin::isInitialized() const { return initialized_; }

// A form editor: its controls are designed, and its property editor shows
// their QVariant properties as text.
void ControlPlugin::initialize(QDesignerFormEditorInterface* core) {
  if (initialized_) return;
  forFormEditor_ = core != nullptr;
  if (QExtensionManager* manager = core ? core->extensionManager() : nullptr) {
    manager->registerExtensions(new TextPropertySheetFactory(description_.className, manager),
                                Q_TYPEID(QDesignerPropertySheetExtension));
  }
  initialized_ = true;
}
