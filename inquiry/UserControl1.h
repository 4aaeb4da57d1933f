/// \file
/// The inquiry control: asks the distributor whether the host's part, and up to
/// five more that the user types in, are available, and where.
///
/// A host places it on a form, sets the vendor and the part, shows it and
/// looks the vendor up; the user presses "Begin Search":
///
/// \code
///   veltaiq::UserControl1 control;
///   control.readProperties(bag);                    // or initProperties() the first time
///   control.setPresenter(&presenter);               // optional; before show()
///   QObject::connect(&control, &veltaiq::UserControl1::controlShutdown, [&] { control.close(); });
///   control.setXVendor(1207);
///   control.setXLine(QStringLiteral("FLT"));
///   control.setXPart(QStringLiteral("1A0013"));
///   control.setXQty(2);
///   control.setXDesc(QStringLiteral("OIL FILTER, SPIN ON"));  // shown in the grid; "0" if left unset
///   control.show();                                 // the show handler opens the business system
///   control.setSearch();                            // vendor, address, account, row 1 of the grid
///   ...
///   control.writeProperties(bag);
/// \endcode
///
/// One inquiry at a time: "Begin Search" is disabled from the moment the
/// request goes out until the exchange has ended (answered, reported or given
/// up at a deadline). Nothing a routine of the control meets escapes to the
/// host: every failure is reported in a message box (through the control's
/// presenter) and kept as errText. Qt and the standard library only: the core
/// stays inside the library.
#pragma once

#include <QString>
#include <QVariant>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "inquiry/veltaiq_export.h"

class QShowEvent;

namespace velta::qt {
class Presenter;
class PropertyBag;
}  // namespace velta::qt

namespace veltaiq {

/// The inquiry control: the availability of up to six parts at the distributor.
///
/// Set the vendor and the host's part, show the control and call setSearch();
/// the user may add parts and presses "Begin Search" (LocatePart()). The
/// actions are public slots and every property that can change has a change
/// signal, so that a form can wire them.
class VELTAIQ_EXPORT UserControl1 : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QVariant xPart READ xPart WRITE setXPart NOTIFY xPartChanged)
  Q_PROPERTY(QVariant xDesc READ xDesc WRITE setXDesc NOTIFY xDescChanged)
  Q_PROPERTY(QVariant xQty READ xQty WRITE setXQty NOTIFY xQtyChanged)
  Q_PROPERTY(QVariant xLine READ xLine WRITE setXLine NOTIFY xLineChanged)
  Q_PROPERTY(QVariant xVendor READ xVendor WRITE setXVendor NOTIFY xVendorChanged)
  Q_PROPERTY(double connectTimeout READ connectTimeout WRITE setConnectTimeout NOTIFY connectTimeoutChanged STORED false)
  Q_PROPERTY(double answerTimeout READ answerTimeout WRITE setAnswerTimeout NOTIFY answerTimeoutChanged STORED false)
  Q_PROPERTY(QString errText READ errText NOTIFY errTextChanged STORED false)
  Q_PROPERTY(QString journalFolder READ journalFolder WRITE setJournalFolder NOTIFY journalFolderChanged STORED false)
  Q_PROPERTY(bool exchangeOpen READ exchangeOpen NOTIFY exchangeOpenChanged STORED false)

 public:
  /// A control not shown yet: set its presenter and its properties
  /// (initProperties() or readProperties()), then show() it.
  explicit UserControl1(QWidget* parent = nullptr);
  /// The terminate handler: releases the line-code map, then the engine; an
  /// inquiry still open is journaled as abandoned.
  ~UserControl1() override;

  /// Fills the result grid from a complete answer, or shows the exception.
  /// The control calls it when the answer is complete; a host that received
  /// an answer itself may too. `totByte` is the announced length and is not used.
  void parseResponse(std::string& response, int32_t& totByte);

  ///@{
  /// The host's part: part number, description (shown in the grid, never
  /// sent), quantity, line code, and the vendor number. Numbers or texts; 0
  /// for a new control, so a description left unset shows as "0".
  QVariant xPart() const;
  void setXPart(const QVariant& value);
  QVariant xDesc() const;
  void setXDesc(const QVariant& value);
  QVariant xQty() const;
  void setXQty(const QVariant& value);
  QVariant xLine() const;
  void setXLine(const QVariant& value);
  QVariant xVendor() const;
  void setXVendor(const QVariant& value);
  ///@}

  ///@{
  /// Seconds to wait for the connection (15 unless set) and, after the
  /// request went out, for the whole answer (60 unless set); 0 or less waits
  /// without end, at most a day is waited. Not saved.
  double connectTimeout() const;
  void setConnectTimeout(double seconds);
  double answerTimeout() const;
  void setAnswerTimeout(double seconds);
  ///@}

  ///@{
  /// A folder for the journal of every exchange, shared with the order control;
  /// "" (the default) keeps none. When it is named but cannot be used, nothing
  /// is sent. Not saved.
  QString journalFolder() const;
  void setJournalFolder(const QString& folder);
  ///@}

  /// The host container's handler for a new instance: every property 0.
  void initProperties();
  ///@{
  /// The host container's handlers for a saved instance: the five properties
  /// read back and saved; a value equal to its default (0) need not be kept.
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
  /// An inquiry has been sent or is being connected and has not ended yet;
  /// exchangeOpenChanged() tells when that changes, as on the order control.
  bool exchangeOpen() const;
  /// The same as exchangeOpen().
  bool inquiryOpen() const;

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
  /// Looks the vendor xVendor up and shows it, its address, port and account,
  /// and the host's part in row 1 of the entry grid. A vendor that is not
  /// found is a box, then controlShutdown().
  void setSearch();
  /// Builds the availability request of the entry grid and sends it, as
  /// "Begin Search" does; returns at once, the answer fills the result grid.
  void LocatePart();

 signals:
  ///@{
  /// The control is done: the host hides or removes it.
  void controlShutdown();
  ///@{
  /// The property of that name changed: its new value.
  void xPartChanged(const QVariant& value);
  void xDescChanged(const QVariant& value);
  void xQtyChanged(const QVariant& value);
  void xLineChanged(const QVariant& value);
  void xVendorChanged(const QVariant& value);
  void connectTimeoutChanged(double seconds);
  void answerTimeoutChanged(double seconds);
  void journalFolderChanged(const QString& folder);
  ///@}
  ///@}
  /// An inquiry began (true) or ended (false), whichever way.
  void exchangeOpenChanged(bool open);
  ///@{
  /// An error: its text, raised before its box is shown (also when the text is the last one's).
  void errTextChanged(const QString& text);
  ///@}

 protected:
  /// The show handler runs when the host shows the control (not when the
  /// window system restores it, and not in design mode).
  void showEvent(QShowEvent* event) override;

 private:
  struct Private;
  std::unique_ptr<Private> d_;
};

}  // namespace veltaiq
