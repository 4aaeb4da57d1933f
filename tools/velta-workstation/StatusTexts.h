// What the main window's status bar says about the distributor and about how
// an order ended, in the dealer's words.
//
// The distributor is read from the controls' own labels: they show the
// vendor record's host and ports exactly as the control loaded them, and
// what the control will connect to, which a second reading of the business
// system could not promise.
#pragma once

#include <QString>

class QWidget;

namespace velta::workstation {

// The order control after setPO: "orders at 127.0.0.1, ports 12000 - 12003",
// or "no distributor for this order" when it shows none.
QString orderDistributorText(const QWidget& orderControl);
// The inquiry control after setSearch: "inquiries at 127.0.0.1, port 12001",
// or "no distributor for this vendor".
QString inquiryDistributorText(const QWidget& inquiryControl);
// "Distributor: " and the texts above that are known, joined by "; ".
QString distributorText(const QString& order, const QString& inquiry);

// How an order's exchange ended, from the control's lastOutcome and lastOrderNumber.
QString orderEndText(const QString& poNumber, const QString& outcome, const QString& orderNumber);

}  // namespace velta::workstation
