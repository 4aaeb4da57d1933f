// What the main window's status bar says, in the dealer's words: which
// distributor the controls talk to, the loaded order, how the last load or
// exchange ended.
//
// All of it is read from the controls' own labels and grid: they show the
// vendor record's name, host and ports exactly as the control loaded them,
// and what the control will connect to, which a second reading of the
// business system could not promise.
#pragma once

#include <QString>

class QWidget;

namespace velta::workstation {

// The vendor as the order control shows it after setPO ("NORTHERN PARTS
// DISTRIBUTION", "Vendor not found"); empty before.
QString orderVendorText(const QWidget& orderControl);
// The vendor as the inquiry control shows it after setSearch ("1207 -
// NORTHERN PARTS DISTRIBUTION"); empty before.
QString inquiryVendorText(const QWidget& inquiryControl);
// "Distributor: " and the vendors known, "NAME for the order; 1207 - NAME
// for the inquiry", or "1207 - NAME for the order and the inquiry" when both
// are one.
QString distributorText(const QString& orderVendor, const QString& inquiryVendor);

// Where the distributor is reached, for support (the status line's tooltip):
// "orders at 127.0.0.1, ports 12000 - 12003", or "no distributor for this order".
QString orderDistributorText(const QWidget& orderControl);
// "inquiries at 127.0.0.1, port 12001", or "no distributor for this vendor".
QString inquiryDistributorText(const QWidget& inquiryControl);

// The lines of the order the control shows, and those of them whose part the
// part file does not hold (the "Part Not Found" rows).
struct OrderLines {
  int lines = 0;
  int notFound = 0;
};
OrderLines orderLines(const QWidget& orderControl);
// "Purchase order 100231: 5 lines, all in the part file"; "…: 7 lines, 2 not
// found in the part file"; none: "No purchase order loaded".
QString orderLinesText(const QString& poNumber, const OrderLines& lines);

// After setPO, from the buttons the control left usable: "Purchase order
// 100231 loaded: Submit Order sends it", "… loaded; it was sent before: PO
// Status asks the distributor", "… loaded; it cannot be sent (no distributor)".
QString orderLoadedText(const QString& poNumber, bool canSubmit, bool canAskStatus);

// How an order's exchange ended, from the control's lastOutcome and lastOrderNumber.
QString orderEndText(const QString& poNumber, const QString& outcome, const QString& orderNumber);

// How an inquiry for `part` ("FLT 1A0013") ended: answered with `rows` result rows,
// or, when the control reported something (`report`, its box's text), without
// an answer.
QString inquiryEndText(const QString& part, int rows, const QString& report);

// "Journal: FOLDER", or that none is kept.
QString journalStatusText(const QString& folder);

// The first line of a control's box, without the blanks around it.
QString firstLine(const QString& text);
// What an exchange's box says happened, for a status line: its first line
// without the error number.
QString exchangeReport(const QString& errText);
// The same for an order that was not sent, which the status line says itself:
// without "Nothing was sent: " too.
QString notSentReason(const QString& errText);

}  // namespace velta::workstation
