#include "tools/velta-workstation/StatusTexts.h"

#include <QLabel>
#include <QRegularExpression>
#include <QStringList>
#include <QWidget>

#include "qt/Grid.h"
#include "qt/LabelArray.h"
#include "qt/Transcript.h"

namespace velta::workstation {

namespace {

// The order control's ports label: "Using ports... 12000 - 12003".
const QString kPortsPrefix = QStringLiteral("Using ports...");
// The description of an order line whose part the part file does not hold.
const QString kPartNotFound = QStringLiteral("Part Not Found");
constexpr int kDescriptionColumn = 3;

QString labelText(const QWidget& control, const QString& name) {
  const auto* shown = control.findChild<QLabel*>(name);
  return shown ? shown->text().trimmed() : QString();
}

QString plural(int count, const char* one, const char* many) {
  return QString::number(count) + QLatin1Char(' ') + QString::fromLatin1(count == 1 ? one : many);
}

}  // namespace

QString orderVendorText(const QWidget& orderControl) {
  return labelText(orderControl, velta::qt::arrayLabelName(QStringLiteral("lblPOHdr"), 0));
}

QString inquiryVendorText(const QWidget& inquiryControl) {
  return labelText(inquiryControl, velta::qt::arrayLabelName(QStringLiteral("lblSearch"), 0));
}

QString distributorText(const QString& orderVendor, const QString& inquiryVendor) {
  // One distributor for both: the inquiry's text names its number too.
  if (!orderVendor.isEmpty() && inquiryVendor.endsWith(QStringLiteral(" - ") + orderVendor)) {
    return QStringLiteral("Distributor: ") + inquiryVendor + QStringLiteral(" for the order and the inquiry");
  }
  QStringList known;
  if (!orderVendor.isEmpty()) known << orderVendor + QStringLiteral(" for the order");
  if (!inquiryVendor.isEmpty()) known << inquiryVendor + QStringLiteral(" for the inquiry");
  if (known.isEmpty()) return QStringLiteral("Distributor: not known until an order is loaded or a part is set");
  return QStringLiteral("Distributor: ") + known.join(QStringLiteral("; "));
}

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

OrderLines orderLines(const QWidget& orderControl) {
  OrderLines counted;
  const velta::qt::Grid* grid = velta::qt::asGrid(orderControl.findChild<QWidget*>(QStringLiteral("VSFlexGrid1")));
  if (!grid) return counted;
  counted.lines = grid->Rows() - 1;
  for (int row = 1; row < grid->Rows(); ++row) {
    if (grid->TextMatrix(row, kDescriptionColumn).trimmed() == kPartNotFound) ++counted.notFound;
  }
  return counted;
}

QString orderLinesText(const QString& poNumber, const OrderLines& lines) {
  if (poNumber.isEmpty()) return QStringLiteral("No purchase order loaded");
  const QString po = QStringLiteral("Purchase order ") + poNumber + QStringLiteral(": ");
  if (lines.lines == 0) return po + QStringLiteral("no part lines");
  const QString count = plural(lines.lines, "line", "lines");
  if (lines.notFound == 0) return po + count + QStringLiteral(", all in the part file");
  return po + count + QStringLiteral(", ") + QString::number(lines.notFound) +
         QStringLiteral(" not found in the part file (\"Part Not Found\")");
}

QString orderLoadedText(const QString& poNumber, bool canSubmit, bool canAskStatus) {
  const QString po = QStringLiteral("Purchase order ") + poNumber + QStringLiteral(" loaded");
  if (canSubmit && canAskStatus) {
    return po + QStringLiteral(": Submit Order sends it, PO Status asks the distributor about it");
  }
  if (canSubmit) return po + QStringLiteral(": Submit Order sends it");
  if (canAskStatus) return po + QStringLiteral("; it was sent before: PO Status asks the distributor");
  return po + QStringLiteral("; it cannot be sent: the business system names no distributor for it");
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
    return po + QStringLiteral(": no complete answer came; the order may have reached the distributor. "
                               "Ask \"PO Status\" before sending it again");
  }
  if (outcome == QLatin1String("not-sent")) return po + QStringLiteral(" was not sent");
  if (outcome == QLatin1String("status-shown")) return po + QStringLiteral(": its status was shown");
  if (outcome == QLatin1String("none")) return po + QStringLiteral(" closed; nothing was sent");
  return po + QStringLiteral(" closed (") + outcome + QLatin1Char(')');
}

QString inquiryEndText(const QString& part, int rows, const QString& report) {
  const QString inquiry = QStringLiteral("Inquiry for ") + part;
  if (!report.isEmpty()) return inquiry + QStringLiteral(": no answer. ") + exchangeReport(report);
  if (rows == 0) return inquiry + QStringLiteral(": the distributor answered without rows");
  return inquiry + QStringLiteral(": the distributor answered with ") + plural(rows, "row", "rows");
}

QString journalStatusText(const QString& folder) {
  if (folder.isEmpty()) return QStringLiteral("Journal: none kept");
  return QStringLiteral("Journal: ") + folder;
}

QString firstLine(const QString& text) {
  static const QRegularExpression lineBreak(QStringLiteral("[\r\n]"));
  const QString trimmed = text.trimmed();
  return trimmed.left(trimmed.indexOf(lineBreak)).trimmed();
}

QString exchangeReport(const QString& errText) {
  static const QRegularExpression errorNumber(QStringLiteral("^Error -?[0-9]+\\s+"));
  return firstLine(errText).remove(errorNumber);
}

QString notSentReason(const QString& errText) {
  static const QString kNothingSent = QStringLiteral("Nothing was sent: ");
  QString reason = exchangeReport(errText);
  if (reason.startsWith(kNothingSent)) reason.remove(0, kNothingSent.size());
  return reason;
}

}  // namespace velta::workstation
