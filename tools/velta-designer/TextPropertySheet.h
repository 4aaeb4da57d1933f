// The controls' persisted properties are QVariants holding a number or a
// text. Designer's property editor picks its editor from the type of the
// value it reads, so a fresh control's xPONum (the number 0) gets a number
// field and a text such as "00123" or "PH3600" could never be typed. This
// property sheet is Designer's own one with every QVariant property of the
// control presented as text: what is typed reaches the control as a text,
// which is also what the form file keeps and what the built form sets. Every
// other property, and everything else a sheet does, is Designer's own.
//
// A text is presented as Designer's own string value marked untranslatable,
// for that mark is what Designer's form writer reads: it saves
// <string notr="true">00123</string>, and uic then sets the value once in
// setupUi() instead of passing an order or vendor number through
// QCoreApplication::translate() in retranslateUi(), where lupdate would
// collect it and every retranslation would set it again. Whatever comes back
// (a form read in, the editor's value) is taken as a plain text, so a form
// saved before without the mark gets it on the next save.
#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QExtensionFactory>

class TextPropertySheet : public QObject, public QDesignerPropertySheetExtension {
  Q_OBJECT
  Q_INTERFACES(QDesignerPropertySheetExtension)

 public:
  // `designerSheet` is Designer's sheet of `control` (owned by Designer); it
  // must implement QDesignerPropertySheetExtension.
  TextPropertySheet(QObject* control, QObject* designerSheet, QObject* parent);

  // The names of the properties of `control` that the sheet presents as text.
  static QSet<QString> textPropertiesOf(const QObject* control);
  // A number as its text, a text as it is, none as "", as Designer's
  // untranslatable string value; anything else as it is.
  static QVariant presented(const QVariant& value);
  // The plain text of what Designer or the property editor gives: a string
  // value's text, anything else as it is.
  static QVariant plain(const QVariant& value);

  int count() const override;
  int indexOf(const QString& name) const override;
  QString propertyName(int index) const override;
  QString propertyGroup(int index) const override;
  void setPropertyGroup(int index, const QString& group) override;
  bool hasReset(int index) const override;
  bool reset(int index) override;
  bool isVisible(int index) const override;
  void setVisible(int index, bool visible) override;
  bool isAttribute(int index) const override;
  void setAttribute(int index, bool attribute) override;
  QVariant property(int index) const override;
  void setProperty(int index, const QVariant& value) override;
  bool isChanged(int index) const override;
  void setChanged(int index, bool changed) override;
  bool isEnabled(int index) const override;

 private:
  bool alive() const { return designer_ && !designerObject_.isNull(); }

  QPointer<QObject> designerObject_;
  QDesignerPropertySheetExtension* designer_;
  QSet<QString> textProperties_;
};

// Gives Designer a TextPropertySheet for every widget of one class (and its
// subclasses), built over the sheet Designer would have given.
class TextPropertySheetFactory : public QExtensionFactory {
  Q_OBJECT

 public:
  TextPropertySheetFactory(const QString& className, QExtensionManager* manager);

 protected:
  QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;

 private:
  QByteArray className_;
  mutable bool asking_ = false;  // while Designer's own sheet is fetched
};
