#include "order/OrderForm.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDateEdit>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QProgressBar>
#include <QTableWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <iterator>
#include <string_view>

#include "order/OrderOptions.h"
#include "qt/FormParts.h"
#include "qt/Grid.h"
#include "qt/LabelArray.h"
#include "qt/Latin1.h"
#include "qt/Socket.h"

namespace veltaorder {

using velta::qt::createLabel;
using velta::qt::fromLatin1;
using velta::qt::Grid;
using velta::qt::makeTitle;
using velta::qt::Socket;

OrderForm::OrderForm(QWidget& control) : q(&control) {
  Timer1 = new QTimer(q);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(kTickMilliseconds);
  busyShow = new QTimer(q);
  busyShow->setSingleShot(true);
  busyShow->setInterval(0);
  QObject::connect(busyShow, &QTimer::timeout, q, [this] {
    lblXmit->setVisible(true);
    pb1->setVisible(true);
  });
  cmdPOStat = new QPushButton(QStringLiteral("PO Status"), q);
  cmdPOStat->setObjectName(QStringLiteral("cmdPOStat"));
  ws2 = new Socket(q);
  ws2->setObjectName(QStringLiteral("ws2"));
  Check1 = new QCheckBox(QStringLiteral("Order for Resale"), q);
  Check1->setObjectName(QStringLiteral("Check1"));
  cmbBoShip = new QComboBox(q);
  cmbBoShip->setObjectName(QStringLiteral("cmbBoShip"));
  cmbBOC = new QComboBox(q);
  cmbBOC->setObjectName(QStringLiteral("cmbBOC"));
  cmbSM = new QComboBox(q);
  cmbSM->setObjectName(QStringLiteral("cmbSM"));
  dtpSD = new QDateEdit(q);
  dtpSD->setObjectName(QStringLiteral("dtpSD"));
  dtpSD->setCalendarPopup(true);
  ws1 = new Socket(q);
  ws1->setObjectName(QStringLiteral("ws1"));
  chkDrop = new QCheckBox(QStringLiteral("Drop Ship"), q);
  chkDrop->setObjectName(QStringLiteral("chkDrop"));
  cmdSubmit = new QPushButton(QStringLiteral("Submit Order"), q);
  cmdSubmit->setObjectName(QStringLiteral("cmdSubmit"));
  cmdExit = new QPushButton(QStringLiteral("Exit"), q);
  cmdExit->setObjectName(QStringLiteral("cmdExit"));
  VSFlexGrid1 = new Grid(q);
  VSFlexGrid1->setObjectName(QStringLiteral("VSFlexGrid1"));
  VSFlexGrid1->setColumnTitles({QStringLiteral("Item"), QStringLiteral("Line"), QStringLiteral("Part"),
                                QStringLiteral("Description"), QStringLiteral("Ordered"), QStringLiteral("Cost"),
                                QStringLiteral("Extended")});
  const int widths[] = {645, 960, 2895, 3900, 1695, 1695, 1695};
  for (int c = 0; c < 7; ++c) VSFlexGrid1->setColWidthTwips(c, widths[c]);
  pb1 = new QProgressBar(q);
  pb1->setObjectName(QStringLiteral("pb1"));
  pb1->setRange(0, 100);
  pb1->setValue(0);
  pb1->setTextVisible(false);
  lblXmit = createLabel(q, QStringLiteral("lblXmit"), QStringLiteral("Transmission in Process... Please Wait."));
  Label4 = createLabel(q, QStringLiteral("Label4"));
  const char* captions[] = {"Vendor",       "Date",          "Comments",    "Account",        "Total",
                            "IP Address",   "Req Ship Date", "Ship Method", "Backorder Code", "BO Ship method"};
  for (int i = 0; i < 10; ++i) {
    Label2[static_cast<std::size_t>(i)] = createLabel(q, QStringLiteral("Label2"), i, QString::fromLatin1(captions[i]));
  }
  for (int i = 0; i < 9; ++i) lblPOHdr[static_cast<std::size_t>(i)] = createLabel(q, QStringLiteral("lblPOHdr"), i);
  lblPO = createLabel(q, QStringLiteral("lblPO"), QStringLiteral("PO Number"));
  Label3 = createLabel(q, QStringLiteral("Label3"), QStringLiteral("Version xxx.xxx.xxxx"));
  Label1 = createLabel(q, QStringLiteral("Label1"), 1, QStringLiteral("  Velta Parts Order"));

  // Enter must never send an order: no button of the control is a default
  // one, not even when a host places the control on a dialog.
  for (QPushButton* button : {cmdSubmit, cmdPOStat, cmdExit}) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }

  // Nothing is loaded yet: nothing to send and nothing to ask about.
  cmdSubmit->setEnabled(false);
  cmdPOStat->setEnabled(false);
  layOut();
}

void OrderForm::layOut() {
  makeTitle(Label1);
  QFont numberFont = lblPO->font();
  numberFont.setBold(true);
  lblPO->setFont(numberFont);
  for (QLabel* value : lblPOHdr) value->setFrameShape(QFrame::StyledPanel);
  lblPOHdr[1]->setMinimumWidth(160);
  // Dark red and bold, by palette and font: a style sheet would be worked out
  // again each time the label is shown or painted.
  QPalette xmitPalette = lblXmit->palette();
  xmitPalette.setColor(QPalette::WindowText, QColor(0xc0, 0x00, 0x00));
  lblXmit->setPalette(xmitPalette);
  QFont xmitFont = lblXmit->font();
  xmitFont.setBold(true);
  lblXmit->setFont(xmitFont);
  // The busy display keeps its room while hidden: showing it moves nothing,
  // and only it is painted again, not the lines above it.
  for (QWidget* busyPart : {static_cast<QWidget*>(lblXmit), static_cast<QWidget*>(pb1)}) {
    QSizePolicy policy = busyPart->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    busyPart->setSizePolicy(policy);
  }

  auto* top = new QHBoxLayout;
  top->addWidget(Label1);
  top->addStretch(1);
  top->addWidget(lblPO);
  top->addStretch(1);
  top->addWidget(Label3);

  auto* header = new QGridLayout;
  header->addWidget(Label2[0], 0, 0);
  header->addWidget(lblPOHdr[0], 0, 1);
  header->addWidget(Label2[1], 0, 2);
  header->addWidget(lblPOHdr[1], 0, 3);
  header->addWidget(Label2[3], 1, 0);
  header->addWidget(lblPOHdr[2], 1, 1);
  header->addWidget(Label2[5], 1, 2);
  header->addWidget(lblPOHdr[8], 1, 3);
  header->addWidget(Label2[2], 2, 0, Qt::AlignTop);
  for (int i = 0; i < 4; ++i) header->addWidget(lblPOHdr[static_cast<std::size_t>(3 + i)], 2 + i, 1, 1, 3);
  header->addWidget(Label2[4], 6, 0);
  header->addWidget(lblPOHdr[7], 6, 1);
  header->addWidget(Label4, 6, 2, 1, 2);
  header->setColumnStretch(1, 2);
  header->setColumnStretch(3, 1);

  auto* options = new QGridLayout;
  options->addWidget(Label2[6], 0, 0);
  options->addWidget(dtpSD, 0, 1);
  options->addWidget(Label2[7], 0, 2);
  options->addWidget(cmbSM, 0, 3);
  options->addWidget(Check1, 0, 4);
  options->addWidget(Label2[8], 1, 0);
  options->addWidget(cmbBOC, 1, 1);
  options->addWidget(Label2[9], 1, 2);
  options->addWidget(cmbBoShip, 1, 3);
  options->addWidget(chkDrop, 1, 4);
  options->setColumnStretch(1, 1);
  options->setColumnStretch(3, 1);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(lblXmit);
  bottom->addWidget(pb1, 1);
  bottom->addStretch(1);
  bottom->addWidget(cmdSubmit);
  bottom->addWidget(cmdPOStat);
  bottom->addWidget(cmdExit);

  auto* whole = new QVBoxLayout(q);
  whole->addLayout(top);
  whole->addLayout(header);
  whole->addLayout(options);
  whole->addWidget(VSFlexGrid1, 1);
  whole->addLayout(bottom);

  // Tab follows the form as it is read: the choices row by row, the lines, then the buttons.
  // (The grid's own view: Qt orders only widgets that take focus themselves.)
  QWidget* const tabOrder[] = {dtpSD,   cmbSM,     Check1,    cmbBOC,   cmbBoShip, chkDrop,
                               VSFlexGrid1->view(), cmdSubmit, cmdPOStat, cmdExit};
  for (std::size_t i = 1; i < std::size(tabOrder); ++i) QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}


void OrderForm::fillOptionLists() {
  cmbSM->clear();
  cmbBOC->clear();
  cmbBoShip->clear();
  for (std::string_view entry : velta::kShipMethods) {
    cmbSM->addItem(fromLatin1(entry));
    cmbBoShip->addItem(fromLatin1(entry));
  }
  for (std::string_view entry : velta::kBackOrderCodes) cmbBOC->addItem(fromLatin1(entry));
  cmbSM->setCurrentIndex(0);
  cmbBOC->setCurrentIndex(0);
  cmbBoShip->setCurrentIndex(0);
}

void OrderForm::busy(bool on) {
  if (on) {
    Timer1->start();
    // Shown at the event loop's next turn, by a timer: timers come after the
    // sockets there, so a connection made at once sends its request before
    // the display is painted, and the distributor works while it is.
    busyShow->start();
    return;
  }
  busyShow->stop();
  lblXmit->setVisible(false);
  pb1->setVisible(false);
  Timer1->stop();
}

void OrderForm::tick() {
  int value = pb1->value() + 1;
  if (value > kBusyLast) value = 1;
  pb1->setValue(value);
}

void OrderForm::clearRows() { VSFlexGrid1->setRows(1); }

void OrderForm::setRepaint(bool on) { VSFlexGrid1->setRedraw(on); }

void OrderForm::setActions(bool submitEnabled, bool statusEnabled) {
  cmdSubmit->setEnabled(submitEnabled);
  cmdPOStat->setEnabled(statusEnabled);
}

void OrderForm::showHeader(int index, const std::string& text) {
  lblPOHdr[static_cast<std::size_t>(index)]->setText(fromLatin1(text));
}

void OrderForm::showPorts(const std::string& text) { Label4->setText(fromLatin1(text)); }

void OrderForm::showDropShip(bool dropShip) { chkDrop->setChecked(dropShip); }

void OrderForm::addRow(const std::string& tabText) { VSFlexGrid1->AddItem(fromLatin1(tabText)); }

}  // namespace veltaorder
