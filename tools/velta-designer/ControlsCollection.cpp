#include "ControlsCollection.h"

#include "ControlPlugin.h"
#include "inquiry/UserControl1.h"
#include "order/UserControl1.h"

namespace {

// A property of a number or a text: one line, never translated.
QString textSpecification(const char* name, const char* toolTip) {
  return QStringLiteral("    <stringpropertyspecification name=\"%1\" notr=\"true\" type=\"singleline\"/>\n"
                        "    <tooltip name=\"%1\">%2</tooltip>\n")
      .arg(QLatin1String(name), QLatin1String(toolTip));
}

template <typename Control>
QWidget* makeControl(QWidget* parent, bool designMode) {
  auto* control = new Control(parent);
  control->setDesignMode(designMode);
  return control;
}

}  // namespace

ControlsCollection::ControlsCollection(QObject* parent) : QObject(parent) {
  ControlPlugin::Description order;
  order.className = QStringLiteral("veltaorder::UserControl1");
  order.displayName = QStringLiteral("Velta order");
  order.iconFile = QStringLiteral(":/velta-designer/veltaorder.png");
  order.objectName = QStringLiteral("orderControl");
  order.includeFile = QStringLiteral("order/UserControl1.h");
  order.toolTip = QStringLiteral("Velta purchase order (veltaorder::UserControl1, libveltaorder)");
  order.whatsThis = QStringLiteral(
      "veltaorder::UserControl1 (order/UserControl1.h, libveltaorder): one purchase order of the dealer's "
      "business system, shown and sent to the distributor. "
      "Set xPONum and call setPO(); xPOSuccess is 1 once the distributor acknowledged the order.");
  order.propertySpecifications =
      textSpecification("xPONum", "The purchase-order number, also the name of the order's file") +
      textSpecification("xPOSuccess", "1 once the distributor acknowledged the order, else 0");
  order.create = makeControl<veltaorder::UserControl1>;
  widgets_.append(new ControlPlugin(order, this));

  ControlPlugin::Description inquiry;
  inquiry.className = QStringLiteral("veltaiq::UserControl1");
  inquiry.displayName = QStringLiteral("Velta inquiry");
  inquiry.iconFile = QStringLiteral(":/velta-designer/veltaiq.png");
  inquiry.objectName = QStringLiteral("inquiryControl");
  inquiry.includeFile = QStringLiteral("inquiry/UserControl1.h");
  inquiry.toolTip = QStringLiteral("Velta parts inquiry (veltaiq::UserControl1, libveltaiq)");
  inquiry.whatsThis = QStringLiteral(
      "veltaiq::UserControl1 (inquiry/UserControl1.h, libveltaiq): asks the distributor whether a part, "
      "and up to five more, are available, and where. "
      "Set xVendor, xLine, xPart and xQty and call setSearch().");
  inquiry.propertySpecifications = textSpecification("xPart", "The host's part number") +
                                   textSpecification("xDesc", "The part's description (shown, never sent)") +
                                   textSpecification("xQty", "The quantity asked for") +
                                   textSpecification("xLine", "The dealer's line code of the part") +
                                   textSpecification("xVendor", "The vendor number of the distributor");
  inquiry.create = makeControl<veltaiq::UserControl1>;
  widgets_.append(new ControlPlugin(inquiry, this));
}

QList<QDesignerCustomWidgetInterface*> ControlsCollection::customWidgets() const { return widgets_; }
