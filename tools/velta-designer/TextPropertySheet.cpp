#include "TextPropertySheet.h"

#include <QMetaProperty>
#include <QtDesigner/QExtensionManager>

// Designer's string value with its "translatable" mark: not part of Qt's
// public API, but exported by the Designer library this plugin is loaded
// into (the Debian package depends on that library's exact ABI).
#include <private/qdesigner_utils_p.h>

using qdesigner_internal::PropertySheetStringValue;

TextPropertySheet::TextPropertySheet(QObject* control, QObject* designerSheet, QObject* parent)
    : QObject(parent),
      designerObject_(designerSheet),
      designer_(qobject_cast<QDesignerPropertySheetExtension*>(designerSheet)),
      textProperties_(textPropertiesOf(control)) {}

QSet<QString> TextPropertySheet::textPropertiesOf(const QObject* control) {
  QSet<QString> names;
  const QMetaObject* meta = control->metaObject();
  for (int i = 0; i < meta->propertyCount(); ++i) {
    const QMetaProperty p = meta->property(i);
    if (p.metaType().id() == QMetaType::QVariant && p.isWritable()) names.insert(QString::fromLatin1(p.name()));
  }
  return names;
}

QVariant TextPropertySheet::presented(const QVariant& value) {
  if (value.isValid() && value.typeId() != QMetaType::QString && !value.canConvert<QString>()) return value;
  return QVariant::fromValue(PropertySheetStringValue(value.toString(), /*translatable=*/false));
}

QVariant TextPropertySheet::plain(const QVariant& value) {
  if (value.metaType() == QMetaType::fromType<PropertySheetStringValue>()) {
    return value.value<PropertySheetStringValue>().value();
  }
  return value;
}

int TextPropertySheet::count() const { return alive() ? designer_->count() : 0; }
int TextPropertySheet::indexOf(const QString& name) const { return alive() ? designer_->indexOf(name) : -1; }
QString TextPropertySheet::propertyName(int index) const { return alive() ? designer_->propertyName(index) : QString(); }
QString TextPropertySheet::propertyGroup(int index) const {
  return alive() ? designer_->propertyGroup(index) : QString();
}
void TextPropertySheet::setPropertyGroup(int index, const QString& group) {
  if (alive()) designer_->setPropertyGroup(index, group);
}
bool TextPropertySheet::hasReset(int index) const { return alive() && designer_->hasReset(index); }
bool TextPropertySheet::reset(int index) { return alive() && designer_->reset(index); }
bool TextPropertySheet::isVisible(int index) const { return alive() && designer_->isVisible(index); }
void TextPropertySheet::setVisible(int index, bool visible) {
  if (alive()) designer_->setVisible(index, visible);
}
bool TextPropertySheet::isAttribute(int index) const { return alive() && designer_->isAttribute(index); }
void TextPropertySheet::setAttribute(int index, bool attribute) {
  if (alive()) designer_->setAttribute(index, attribute);
}

QVariant TextPropertySheet::property(int index) const {
  if (!alive()) return {};
  const QVariant value = designer_->property(index);
  return textProperties_.contains(designer_->propertyName(index)) ? presented(value) : value;
}

// The control keeps a text, whatever mark the value came with: the presented
// value is marked untranslatable again.
void TextPropertySheet::setProperty(int index, const QVariant& value) {
  if (!alive()) return;
  designer_->setProperty(index, textProperties_.contains(designer_->propertyName(index)) ? plain(value) : value);
}

bool TextPropertySheet::isChanged(int index) const { return alive() && designer_->isChanged(index); }
void TextPropertySheet::setChanged(int index, bool changed) {
  if (alive()) designer_->setChanged(index, changed);
}
bool TextPropertySheet::isEnabled(int index) const { return alive() && designer_->isEnabled(index); }

TextPropertySheetFactory::TextPropertySheetFactory(const QString& className, QExtensionManager* manager)
    : QExtensionFactory(manager), className_(className.toLatin1()) {}

QObject* TextPropertySheetFactory::createExtension(QObject* object, const QString& iid, QObject* parent) const {
  if (asking_ || iid != QLatin1String(Q_TYPEID(QDesignerPropertySheetExtension)) ||
      !object->inherits(className_.constData())) {
    return nullptr;
  }
  // Designer's own sheet: the manager asks this factory first (it was
  // registered last), which declines while it asks.
  asking_ = true;
  QObject* designerObject = extensionManager()->extension(object, iid);
  asking_ = false;
  if (!qobject_cast<QDesignerPropertySheetExtension*>(designerObject)) return nullptr;
  return new TextPropertySheet(object, designerObject, parent);
}
