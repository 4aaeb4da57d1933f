#include "inquiry/InquiryForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "qt/FormParts.h"
#include "qt/Grid.h"
#include "qt/LabelArray.h"
#include "qt/Socket.h"

namespace veltaiq {

using velta::qt::createLabel;
using velta::qt::createTitledGrid;
using velta::qt::makeTitle;
using velta::qt::Socket;

InquiryForm::InquiryForm(QWidget& control) : q(&control) {
  lblHeader = createLabel(q, QStringLiteral("lblHeader"));
  lblDesc = createLabel(q, QStringLiteral("lblDesc"), QStringLiteral("Velta Parts Inquiry"));
  lblVersion = createLabel(q, QStringLiteral("lblVersion"));
  const std::pair<int, const char*> captions[] = {
      {0, "Vendor"}, {6, "IP Address"}, {7, "Account"}, {2, "Port"}, {1, "Search For"},
      {8, "You may enter up to five additional parts for inquiry."}, {5, "Results"}};
  for (const auto& [index, caption] : captions) {
    Label1[static_cast<std::size_t>(index)] = createLabel(q, QStringLiteral("Label1"), index, QString::fromLatin1(caption));
  }
  for (int index : {0, 1, 3, 4}) {
    lblSearch[static_cast<std::size_t>(index)] = createLabel(q, QStringLiteral("lblSearch"), index);
  }
  grdIQ = createTitledGrid(q, QStringLiteral("grdIQ"),
                           {QStringLiteral("Line"), QStringLiteral("Part"), QStringLiteral("Qty"),
                            QStringLiteral("Description")},
                           {960, 1920, 960, 3000});
  grdIQ->setRows(1 + kEntryRows);
  // Row 1 is the host's part, which the request takes from the properties:
  // an edit there would be shown but never sent.
  for (int row = 2; row <= kEntryRows; ++row) {
    for (int col = 0; col < kEntryColumns; ++col) grdIQ->setEditable(row, col, true);
  }
  grdItem = createTitledGrid(
      q, QStringLiteral("grdItem"),
      {QStringLiteral("Line Req"), QStringLiteral("Part Req"), QStringLiteral("Qty Req"), QStringLiteral("Avail Line"),
       QStringLiteral("Avail Part"), QStringLiteral("Avail Qty"), QStringLiteral("Description"),
       QStringLiteral("Retail"), QStringLiteral("Cost"), QStringLiteral("Status Code"), QStringLiteral("Status Text"),
       QStringLiteral("Reason Code"), QStringLiteral("Location"), QStringLiteral("Date Avail"),
       QStringLiteral("Fact BO")},
      {780, 1920, 870, 885, 1920, 960, 1920, 780, 735, 960, 1980, 1545, 960, 960, 960});
  CmdSearch = new QPushButton(QStringLiteral("Begin Search"), q);
  CmdSearch->setObjectName(QStringLiteral("CmdSearch"));
  cmdExit = new QPushButton(QStringLiteral("Exit"), q);
  cmdExit->setObjectName(QStringLiteral("cmdExit"));
  ws1 = new Socket(q);
  ws1->setObjectName(QStringLiteral("ws1"));
  layOut();
}

void InquiryForm::layOut() {
  makeTitle(lblDesc);
  lblHeader->setAutoFillBackground(true);
  lblHeader->setStyleSheet(QStringLiteral("background-color: #1f3f6f;"));
  lblDesc->setStyleSheet(QStringLiteral("color: white;"));
  lblVersion->setStyleSheet(QStringLiteral("color: white;"));
  for (QLabel* value : lblSearch) {
    if (value) value->setFrameShape(QFrame::StyledPanel);
  }

  // The band lies behind the title and the version text.
  auto* band = new QGridLayout;
  band->addWidget(lblHeader, 0, 0, 1, 3);
  band->addWidget(lblDesc, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
  band->addWidget(lblVersion, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
  band->setColumnStretch(1, 1);

  auto* vendorBox = new QGridLayout;
  vendorBox->addWidget(Label1[0], 0, 0);
  vendorBox->addWidget(lblSearch[0], 0, 1, 1, 3);
  vendorBox->addWidget(Label1[6], 1, 0);
  vendorBox->addWidget(lblSearch[3], 1, 1);
  vendorBox->addWidget(Label1[2], 1, 2);
  vendorBox->addWidget(lblSearch[1], 1, 3);
  vendorBox->addWidget(Label1[7], 2, 0);
  vendorBox->addWidget(lblSearch[4], 2, 1, 1, 3);
  vendorBox->setColumnStretch(1, 2);
  vendorBox->setColumnStretch(3, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(CmdSearch);
  buttons->addWidget(cmdExit);

  auto* whole = new QVBoxLayout(q);
  whole->addLayout(band);
  whole->addLayout(vendorBox);
  whole->addWidget(Label1[1]);
  whole->addWidget(Label1[8]);
  whole->addWidget(grdIQ, 1);
  whole->addWidget(Label1[5]);
  whole->addWidget(grdItem, 2);
  whole->addLayout(buttons);
}

}  // namespace veltaiq
