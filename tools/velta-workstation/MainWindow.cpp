#include "tools/velta-workstation/MainWindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <iterator>

#include "inquiry/UserControl1.h"
#include "order/UserControl1.h"
#include "qt/PropertyBag.h"
#include "qt/SettingsPropertyBag.h"
#include "tools/velta-workstation/ControlPages.h"
#include "tools/velta-workstation/JournalView.h"
#include "tools/velta-workstation/SiteDescription.h"
#include "tools/velta-workstation/StatusLine.h"
#include "tools/velta-workstation/StatusTexts.h"

namespace velta::workstation {

namespace {

const QString kOrderSection = QStringLiteral("veltaorder");
const QString kInquirySection = QStringLiteral("veltaiq");

// A property as its field shows it: a new control's 0 is an empty field.
QString fieldText(const QVariant& value) {
  if (velta::qt::isNumberProperty(value) && value.toDouble() == 0) return {};
  return value.toString();
}

// What a field gives its property: the vendor is a number when it is one; the
// others are texts, as typed ("00123" stays "00123").
QVariant vendorValue(const QString& text) {
  bool ok = false;
  const int number = text.trimmed().toInt(&ok);
  return ok ? QVariant(number) : QVariant(text);
}

bool hasSaved(const QString& file, const QString& section) {
  QSettings settings(file, QSettings::IniFormat);
  settings.beginGroup(section);
  return !settings.childKeys().isEmpty();
}

QLabel* buddyLabel(const QString& caption, QWidget* field, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setBuddy(field);
  return label;
}

QLineEdit* field(const QString& name, int widthChars, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * widthChars + 16);
  return edit;
}

StatusLine* statusLine(const QString& name, QWidget* parent) {
  auto* line = new StatusLine(parent);
  line->setObjectName(name);
  return line;
}

}  // namespace

MainWindow::MainWindow(const WindowSetup& setup, QWidget* parent)
    : QMainWindow(parent),
      setup_(setup),
      orderBag_(std::make_unique<velta::qt::SettingsPropertyBag>(setup.settingsFile, kOrderSection)),
      inquiryBag_(std::make_unique<velta::qt::SettingsPropertyBag>(setup.settingsFile, kInquirySection)) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QStringLiteral("Velta Workstation"));

  pages_ = new ControlPages(this);
  pages_->setObjectName(QStringLiteral("pages"));
  pages_->addPage(buildOrderPage(), QStringLiteral("Purchase order"));
  pages_->addPage(buildInquiryPage(), QStringLiteral("Part availability"));
  journal_ = new JournalView;
  journal_->setFolder(setup_.exchange.journal);
  pages_->addPage(journal_, QStringLiteral("Journal"));
  pages_->setCurrentIndex(kOrderPage);
  setCentralWidget(pages_);
  setTabOrders();
  connect(pages_, &ControlPages::currentChanged, this, [this](int index) {
    if (index == kJournalPage) journal_->refresh();
  });

  auto* lines = new QWidget;
  auto* linesLayout = new QVBoxLayout(lines);
  linesLayout->setContentsMargins(0, 0, 0, 0);
  linesLayout->setSpacing(0);
  system_ = statusLine(QStringLiteral("statusSystem"), lines);
  distributor_ = statusLine(QStringLiteral("statusDistributor"), lines);
  outcome_ = statusLine(QStringLiteral("statusOutcome"), lines);
  for (StatusLine* line : {system_, distributor_, outcome_}) linesLayout->addWidget(line);
  statusBar()->addWidget(lines, 1);
  system_->setFullText(businessSystemText(setup_.site));
  showDistributor();
  say(QStringLiteral("Ready"));
  poNumber_->setFocus();
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::buildOrderPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("orderPage"));
  poNumber_ = field(QStringLiteral("poNumber"), 10, page);
  load_ = new QPushButton(QStringLiteral("Load"), page);
  load_->setObjectName(QStringLiteral("loadOrder"));
  load_->setAutoDefault(false);
  auto* fields = new QHBoxLayout;
  fields->addWidget(buddyLabel(QStringLiteral("&Purchase order:"), poNumber_, page));
  fields->addWidget(poNumber_);
  fields->addWidget(load_);
  fields->addStretch(1);
  orderPageLayout_ = new QVBoxLayout(page);
  orderPageLayout_->addLayout(fields);
  order_ = newOrderControl(page);
  orderPageLayout_->addWidget(order_, 1);
  poNumber_->setText(fieldText(order_->xPONum()));
  connect(load_, &QPushButton::clicked, this, &MainWindow::loadOrder);
  connect(poNumber_, &QLineEdit::returnPressed, this, &MainWindow::loadOrder);
  return page;
}

QWidget* MainWindow::buildInquiryPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("inquiryPage"));
  vendor_ = field(QStringLiteral("vendor"), 6, page);
  vendor_->setValidator(new QIntValidator(0, 2147483647, vendor_));
  line_ = field(QStringLiteral("line"), 4, page);
  part_ = field(QStringLiteral("part"), 14, page);
  qty_ = field(QStringLiteral("qty"), 5, page);
  setPart_ = new QPushButton(QStringLiteral("Set part"), page);
  setPart_->setObjectName(QStringLiteral("setPart"));
  setPart_->setAutoDefault(false);
  auto* fields = new QHBoxLayout;
  fields->addWidget(buddyLabel(QStringLiteral("&Vendor:"), vendor_, page));
  fields->addWidget(vendor_);
  fields->addWidget(buddyLabel(QStringLiteral("&Line:"), line_, page));
  fields->addWidget(line_);
  fields->addWidget(buddyLabel(QStringLiteral("P&art:"), part_, page));
  fields->addWidget(part_);
  fields->addWidget(buddyLabel(QStringLiteral("&Quantity:"), qty_, page));
  fields->addWidget(qty_);
  fields->addWidget(setPart_);
  fields->addStretch(1);
  inquiryPageLayout_ = new QVBoxLayout(page);
  inquiryPageLayout_->addLayout(fields);
  inquiry_ = newInquiryControl(page);
  inquiryPageLayout_->addWidget(inquiry_, 1);
  vendor_->setText(fieldText(inquiry_->xVendor()));
  line_->setText(fieldText(inquiry_->xLine()));
  part_->setText(fieldText(inquiry_->xPart()));
  qty_->setText(fieldText(inquiry_->xQty()));
  connect(setPart_, &QPushButton::clicked, this, &MainWindow::setPart);
  for (QLineEdit* edit : {vendor_, line_, part_, qty_}) connect(edit, &QLineEdit::returnPressed, this, &MainWindow::setPart);
  return page;
}

void MainWindow::setTabOrders() {
  // On each page: the fields, their button, then the control.
  QWidget* const orderChain[] = {poNumber_, load_, order_};
  QWidget* const inquiryChain[] = {vendor_, line_, part_, qty_, setPart_, inquiry_};
  for (std::size_t i = 1; i < std::size(orderChain); ++i) QWidget::setTabOrder(orderChain[i - 1], orderChain[i]);
  for (std::size_t i = 1; i < std::size(inquiryChain); ++i) QWidget::setTabOrder(inquiryChain[i - 1], inquiryChain[i]);
}

veltaorder::UserControl1* MainWindow::newOrderControl(QWidget* page) {
  auto* control = new veltaorder::UserControl1(page);
  control->setObjectName(QStringLiteral("orderControl"));
  control->setPresenter(presenter_);
  applyExchangeSettings(*control, setup_.exchange);
  if (hasSaved(setup_.settingsFile, kOrderSection)) {
    control->readProperties(*orderBag_);
  } else {
    control->initProperties();
  }
  connect(control, &veltaorder::UserControl1::controlShutdown, this, [this, control] { orderShutdown(control); });
  connect(control, &veltaorder::UserControl1::transmissionEnded, this, [this] {
    if (journal_) journal_->refresh();
  });
  return control;
}

veltaiq::UserControl1* MainWindow::newInquiryControl(QWidget* page) {
  auto* control = new veltaiq::UserControl1(page);
  control->setObjectName(QStringLiteral("inquiryControl"));
  control->setPresenter(presenter_);
  applyExchangeSettings(*control, setup_.exchange);
  if (hasSaved(setup_.settingsFile, kInquirySection)) {
    control->readProperties(*inquiryBag_);
  } else {
    control->initProperties();
  }
  connect(control, &veltaiq::UserControl1::controlShutdown, this, [this, control] { inquiryShutdown(control); });
  return control;
}

void MainWindow::setPresenter(velta::qt::Presenter* presenter) {
  presenter_ = presenter;
  order_->setPresenter(presenter);
  inquiry_->setPresenter(presenter);
}

void MainWindow::loadOrder() {
  QPointer<veltaorder::UserControl1> control = order_;
  control->setXPONum(poNumber_->text());
  control->setPO();
  // A number that opens nothing ends the control; its labels say nothing then.
  if (control && control.data() != orderEnded_.data()) orderDistributor_ = orderDistributorText(*control);
  showDistributor();
}

void MainWindow::setPart() {
  QPointer<veltaiq::UserControl1> control = inquiry_;
  control->setXVendor(vendorValue(vendor_->text()));
  control->setXLine(line_->text());
  control->setXPart(part_->text());
  control->setXQty(qty_->text());
  // The window knows no description of the part: none rather than a new control's 0.
  control->setXDesc(QString());
  control->setSearch();
  if (control && control.data() != inquiryEnded_.data()) inquiryDistributor_ = inquiryDistributorText(*control);
  showDistributor();
}

void MainWindow::orderShutdown(veltaorder::UserControl1* control) {
  if (control != order_ || orderEnded_ == control) return;
  orderEnded_ = control;
  control->writeProperties(*orderBag_);
  const bool saved = saveSettings();
  const QString ended = orderEndText(fieldText(control->xPONum()), control->lastOutcome(), control->lastOrderNumber());
  if (saved) say(ended);
  journal_->refresh();
  // The control is still inside its own routine: it goes once that is over.
  QTimer::singleShot(0, this, &MainWindow::replaceOrderControl);
}

void MainWindow::inquiryShutdown(veltaiq::UserControl1* control) {
  if (control != inquiry_ || inquiryEnded_ == control) return;
  inquiryEnded_ = control;
  control->writeProperties(*inquiryBag_);
  if (saveSettings()) say(QStringLiteral("The inquiry ended; the part's fields are kept for the next one"));
  journal_->refresh();
  QTimer::singleShot(0, this, &MainWindow::replaceInquiryControl);
}

void MainWindow::replaceOrderControl() {
  veltaorder::UserControl1* old = order_;
  order_ = newOrderControl(old->parentWidget());
  orderPageLayout_->replaceWidget(old, order_);
  old->hide();
  old->deleteLater();
  QWidget::setTabOrder(load_, order_);
  order_->show();
}

void MainWindow::replaceInquiryControl() {
  veltaiq::UserControl1* old = inquiry_;
  inquiry_ = newInquiryControl(old->parentWidget());
  inquiryPageLayout_->replaceWidget(old, inquiry_);
  old->hide();
  old->deleteLater();
  QWidget::setTabOrder(setPart_, inquiry_);
  inquiry_->show();
}

bool MainWindow::saveSettings() {
  const QString folder = QFileInfo(setup_.settingsFile).absolutePath();
  if (QDir().mkpath(folder) && orderBag_->sync() && inquiryBag_->sync()) return true;
  say(QStringLiteral("Cannot write the settings file ") + setup_.settingsFile);
  return false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  order_->writeProperties(*orderBag_);
  inquiry_->writeProperties(*inquiryBag_);
  saveSettings();
  QMainWindow::closeEvent(event);
}

void MainWindow::showDistributor() {
  distributor_->setFullText(distributorText(orderDistributor_, inquiryDistributor_));
}

void MainWindow::say(const QString& text) { outcome_->setFullText(text); }

}  // namespace velta::workstation
