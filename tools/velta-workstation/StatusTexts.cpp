#include "tools/velta-workstation/StatusTexts.h"

#include <QLabel>
#include <QStringList>
#include <QWidget>

#include "qt/LabelArray.h"

namespace velta::workstation {

namespace {

// The order control's ports label: "Using ports... 12000 - 12003".
const QString kPortsPrefix = QStringLiteral("Using ports...");

QString labelText(const QWidget& control, const QString& name) {
  const auto* shown = control.findChild<QLabel*>(name);
  return shown ? shown->text().trimmed() : QString();
}

}  // namespace

QString orderDistributorText(const QWidget& orderControl) {
  const QString host = labelText(orderControl, velta::qt::arrayLabelName(QStringLiteral("lblPOHdr"), 8));
  QString ports = labelText(orderControl, QStringLiteral("Label4"));
  if (ports.startsWith(kPortsPrefix)) ports = ports.mid(kPortsPrefix.size()).trimmed();
  if (host.isEmpty()) return QStringLiteral("no distributor for this order");
  return QStringLiteral("orders at ") + host + QStringLiteral(", ports ") + ports;
}

QString inquiryDistributorText(const QWidget& inquiryControl) {
  const QString host = labelText(inquiryControl, velta::qt::arrayLabelName(QStringLiteral("lblSearch"), 3));
  const QString port = labelText(inquiryControl, velta::qt::arrayLabelName(QStringLiteral("lblSearch"), 1));
  if (host.isEmpty()) return QStringLiteral("no distributor for this vendor");
  return QStringLiteral("inquiries at ") + host + QStringLiteral(", port ") + port;
}

QString distributorText(const QString& order, const QString& inquiry) {
  QStringList known;
  if (!order.isEmpty()) known << order;
  if (!inquiry.isEmpty()) known << inquiry;
  if (known.isEmpty()) return QStringLiteral("Distributor: not known until an order is loaded or a part is set");
  return QStringLiteral("Distributor: ") + known.join(QStringLiteral("; "));
}

QString orderEndText(const QString& poNumber, const QString& outcome, const QString& orderNumber) {
  const QString po = QStringLiteral("Purchase order ") + poNumber;
  if (outcome == QLatin1String("acknowledged")) {
    return po + QStringLiteral(" acknowledged by the distributor") +
           (orderNumber.isEmpty() ? QString() : QStringLiteral(", its order number ") + orderNumber);
  }
  if (outcome == QLatin1String("exception")) return po + QStringLiteral(": the distributor answered with an exception");
  if (outcome == QLatin1String("malformed")) return po + QStringLiteral(": the distributor's answer could not be read");
  if (outcome == QLatin1String("unknown")) {
    return po + QStringLiteral(": no complete answer; the order may have reached the distributor \u2014 PO Status will tell");
  }
  if (outcome == QLatin1String("not-sent")) return po + QStringLiteral(" was not sent");
  if (outcome == QLatin1String("status-shown")) return po + QStringLiteral(": its status was shown");
  if (outcome == QLatin1String("none")) return po + QStringLiteral(" closed; nothing was sent");
  return po + QStringLiteral(" closed (") + outcome + QLatin1Char(')');
}

}  // namespace velta::workstation
