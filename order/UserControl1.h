/// \file
/// The order control: one purchase order of the dealer's business system,
/// shown and sent to the distributor.
///
/// A host places it on a form, sets the order number and loads the order:
///
/// \code
///   veltaorder::UserControl1 control;
///   control.readProperties(bag);                    // or initProperties() the first time
///   control.setPresenter(&presenter);               // optional; before show()
///   QObject::connect(&control, &veltaorder::UserControl1::controlShutdown, [&] { control.close(); });
///   control.show();                                 // the show handler opens the business system
///   control.setXPONum(QStringLiteral("100231"));
///   control.setPO();
///   ...                                             // after controlShutdown:
///   bool accepted = control.xPOSuccess().toInt() == 1;
///   control.writeProperties(bag);
/// \endcode
///
/// Nothing a routine of the control meets escapes to the host: every failure is
/// reported in a message box (through the control's presenter) and kept as
/// errText. Qt and the standard library only: the core stays inside the library.
#pragma once

#include <QString>
#include <QVariant>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "order/veltaorder_export.h"

class QShowEvent;

namespace velta::qt {
class Presenter;
class PropertyBag;
}  // namespace velta::qt

namespace veltaorder {

/// The order control: one purchase order of the dealer's business system,
/// shown and sent to the distributor.
///
/// Set xPONum and call setPO() to load and show the order; the user presses
/// "Submit Order" (submitOrder()) or "PO Status" (poStatus()); the control
/// raises controlShutdown() when it is done, and xPOSuccess tells whether the
/// distributor acknowledged the order. The actions are public slots and every
/// property that can change has a change signal, so that a form can wire them.
class VELTAORDER_EXPORT UserControl1 : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QVariant xPONum READ xPONum WRITE setXPONum NOTIFY xPONumChanged)
  Q_PROPERTY(QVariant xPOSuccess READ xPOSuccess WRITE setXPOSuccess NOTIFY xPOSuccessChanged)
  Q_PROPERTY(QString errText READ errText NOTIFY errTextChanged STORED false)
  Q_PROPERTY(double connectTimeout READ connectTimeout WRITE setConnectTimeout NOTIFY connectTimeoutChanged STORED false)
  Q_PROPERTY(double answerTimeout READ answerTimeout WRITE setAnswerTimeout NOTIFY answerTimeoutChanged STORED false)
  Q_PROPERTY(QString lastOutcome READ lastOutcome NOTIFY lastOutcomeChanged STORED false)
  Q_PROPERTY(QString lastOrderNumber READ lastOrderNumber NOTIFY lastOrderNumberChanged STORED false)
  Q_PROPERTY(QString journalFolder READ journalFolder WRITE setJournalFolder NOTIFY journalFolderChanged STORED false)
  Q_PROPERTY(bool exchangeOpen READ exchangeOpen NOTIFY exchangeOpenChanged STORED false)

 public:
  /// A control not shown yet: set its presenter and its properties
  /// (initProperties() or readProperties()), then show() it.
  explicit UserControl1(QWidget* parent = nullptr);
  /// The terminate handler: releases the line-code map and, with the last
  /// control of the library, the shared data engine. An exchange still open
  /// is journaled as abandoned.
  ~UserControl1() override;

  /// Shows the distributor's answer to an order. The control calls it when
  /// the answer is complete; a host that received an answer itself may too.
  /// `totByte` is the announced length and is not used.
  void parseResponse(std::string& response, int32_t& totByte);
  /// The text of a purchase-order status code (a number or a numeric text).
  Q_INVOKABLE QString getPOStatCode(const QVariant& xcode);
  ///@{
  /// The purchase-order number: also the name of the order's file. A number
  /// or a text ("00123" stays a text); 0 for a new control. Refused while an
  /// exchange is open.
  QVariant xPONum() const;
  void setXPONum(const QVariant& value);
  ///@}
  ///@{
  /// 1 once the distributor acknowledged the order; 0 when the order is shown
  /// and after an exception.
  QVariant xPOSuccess() const;
  void setXPOSuccess(const QVariant& value);
  ///@}
  /// Shows the distributor's answer to a status request; as parseResponse().
  void statusResponse(std::string& response, int32_t& totByte);
  /// Colours the group rows of the status form's grid; it needs the status
  /// form that statusResponse() fills.
  void SetGrid();

  /// The host container's handler for a new instance: both properties 0.
  void initProperties();
  ///@{
  /// The host container's handlers for a saved instance: xPONum and
  /// xPOSuccess read back and saved; a value equal to its default (0) need
  /// not be kept.
  void readProperties(velta::qt::PropertyBag& bag);
  void writeProperties(velta::qt::PropertyBag& bag) const;
  ///@}

  /// Every message box and modal form of this control goes through
  /// `presenter` (not owned; it must outlive the control). None: the real Qt
  /// dialogs. Set it before show(): the show handler may show a box.
  void setPresenter(velta::qt::Presenter* presenter);

  /// The text of the last error box:
  /// " Error " + number + "  " + description + CR LF + " in <routine> routine" + CR LF.
  QString errText() const;

  ///@{
  /// Seconds to wait for the distributor's connection (15) and, after the
  /// request went out, for its complete answer (60); 0 or less waits without
  /// end, at most a day is waited. Set by the host; not saved with the control.
  double connectTimeout() const;
  void setConnectTimeout(double seconds);
  double answerTimeout() const;
  void setAnswerTimeout(double seconds);
  ///@}

  /// How the last exchange ended, more finely than xPOSuccess: "none",
  /// "acknowledged", "exception", "malformed", "unknown" (sent, no complete
  /// answer: the order may have reached the distributor), "not-sent",
  /// "status-shown". Not saved.
  QString lastOutcome() const;
  /// The distributor's order number of the last acknowledgement, "" otherwise.
  QString lastOrderNumber() const;

  ///@{
  /// A folder for the journal of every exchange; "" (the default) keeps none.
  /// When it is named but cannot be used, nothing is sent. Not saved.
  QString journalFolder() const;
  void setJournalFolder(const QString& folder);
  ///@}

  /// True while an order or status exchange is open (busy display on);
  /// exchangeOpenChanged() tells when that changes, as on the inquiry control.
  bool exchangeOpen() const;
  /// The same as exchangeOpen().
  bool isTransmitting() const;

  ///@{
  /// Design mode, for a form designer placing the control (off by default):
  /// showing the control then runs no show handler, so nothing of the site is
  /// read, no share is touched and no box is shown. Not a property.
  ///@{
  void setDesignMode(bool on);
  bool designMode() const;
  ///@}
  ///@}

 public slots:
  /// Loads the order named by xPONum and shows it; the number appears at
  /// once, the busy cursor shows while the files are read. While an exchange
  /// is open it is refused. An order that may have reached the distributor
  /// before (the journal, or this control, knows it acknowledged or without a
  /// complete answer) is loaded with "PO Status" usable, and "Submit Order"
  /// asks before sending it again.
  void setPO();
  /// Sends the shown order to the distributor, as "Submit Order" does; returns
  /// at once, the answer comes later.
  void submitOrder();
  /// Asks the distributor for the status of the shown order, as "PO Status"
  /// does; returns at once.
  void poStatus();

 signals:
  /// The control is done: the host hides or removes it.
  void controlShutdown();
  ///@{
  /// Declared for hosts that listen for it; the control never raises it.
  void writeData();
  ///@{
  /// The property of that name changed: its new value.
  void xPONumChanged(const QVariant& value);
  void xPOSuccessChanged(const QVariant& value);
  ///@}
  ///@}
  /// The transmitting state ended, whichever way (answer, failure, Exit).
  void transmissionEnded();
  ///@{
  /// An exchange began (true) or ended (false); with false comes transmissionEnded().
  void exchangeOpenChanged(bool open);
  void connectTimeoutChanged(double seconds);
  void answerTimeoutChanged(double seconds);
  ///@}
  ///@{
  /// An error: its text, raised before its box is shown (also when the text is the last one's).
  void errTextChanged(const QString& text);
  void lastOutcomeChanged(const QString& outcome);
  void lastOrderNumberChanged(const QString& number);
  void journalFolderChanged(const QString& folder);
  ///@}

 protected:
  /// The show handler runs when the host shows the control (not when the
  /// window system restores it, and not in design mode).
  void showEvent(QShowEvent* event) override;
  /// A double click on the order number shows a blank response form.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Private;
  std::unique_ptr<Private> d_;
};

}  // namespace veltaorder
