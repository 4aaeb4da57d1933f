#include "tools/velta-workstation/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <utility>

#include "inquiry/UserControl1.h"
#include "order/UserControl1.h"
#include "qt/Grid.h"
#include "qt/PropertyBag.h"
#include "qt/SettingsPropertyBag.h"
#include "qt/Transcript.h"
#include "tools/velta-workstation/AboutBox.h"
#include "tools/velta-workstation/ControlPages.h"
#include "tools/velta-workstation/JournalView.h"
#include "tools/velta-workstation/OrderNumber.h"
#include "tools/velta-workstation/StatusLine.h"
#include "tools/velta-workstation/StatusTexts.h"
#include "tools/velta-workstation/WindowPlacement.h"

namespace velta::workstation {

namespace {

const QString kOrderSection = QStringLiteral("veltaorder");
const QString kInquirySection = QStringLiteral("veltaiq");
// The controls bring margins of their own.
const QMargins kPageMargins(6, 4, 6, 0);

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

QPushButton* button(const QString& caption, const QString& name, const QString& tip, QWidget* parent) {
  auto* pressed = new QPushButton(caption, parent);
  pressed->setObjectName(name);
  pressed->setAutoDefault(false);
  pressed->setStatusTip(tip);
  return pressed;
}

StatusLine* statusLine(const QString& name, QWidget* parent) {
  auto* line = new StatusLine(parent);
  line->setObjectName(name);
  return line;
}

// The control's "Exit" keeps its caption; the window tells what it ends.
void tellWhatExitEnds(QWidget& control, const QString& tip) {
  if (auto* exit = control.findChild<QPushButton*>(QStringLiteral("cmdExit"))) {
    exit->setToolTip(tip);
    exit->setStatusTip(tip);
  }
}

bool usable(const QWidget& control, const char* buttonName) {
  const auto* pressed = control.findChild<QPushButton*>(QString::fromLatin1(buttonName));
  return pressed && pressed->isEnabledTo(&control);
}

QIcon workstationIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/velta-workstation/velta-workstation-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace

MainWindow::MainWindow(const WindowSetup& setup, QWidget* parent)
    : QMainWindow(parent),
      setup_(setup),
      site_(describeSite(setup.site)),
      orderBag_(std::make_unique<velta::qt::SettingsPropertyBag>(setup.settingsFile, kOrderSection)),
      inquiryBag_(std::make_unique<velta::qt::SettingsPropertyBag>(setup.settingsFile, kInquirySection)) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QStringLiteral("Velta Workstation"));
  setWindowIcon(workstationIcon());

  pages_ = new ControlPages(this);
  pages_->setObjectName(QStringLiteral("pages"));
  pages_->addPage(buildOrderPage(), QStringLiteral("Purchase &order"));
  pages_->addPage(buildInquiryPage(), QStringLiteral("Part availa&bility"));
  journal_ = new JournalView;
  journal_->setFolder(setup_.exchange.journal);
  pages_->addPage(journal_, QStringLiteral("&Journal"));
  pages_->setCurrentIndex(kOrderPage);
  setCentralWidget(pages_);
  setTabOrders();
  buildMenus();
  buildStatusBar();
  connect(pages_, &ControlPages::currentChanged, this, &MainWindow::pageChosen);
  placeWindow();
  pageChosen(pages_->currentIndex());
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::buildOrderPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("orderPage"));
  poNumber_ = field(QStringLiteral("poNumber"), kOrderNumberDigits, page);
  poNumber_->setValidator(orderNumberValidator(poNumber_));
  poNumber_->setToolTip(QStringLiteral("The purchase order's number in the business system: 1 to %1 digits")
                            .arg(kOrderNumberDigits));
  load_ = button(QStringLiteral("&Load"), QStringLiteral("loadOrder"),
                 QStringLiteral("Loads the purchase order of this number from the business system"), page);
  auto* fields = new QHBoxLayout;
  fields->addWidget(buddyLabel(QStringLiteral("&Purchase order:"), poNumber_, page));
  fields->addWidget(poNumber_);
  fields->addWidget(load_);
  fields->addStretch(1);
  orderPageLayout_ = new QVBoxLayout(page);
  orderPageLayout_->setContentsMargins(kPageMargins);
  orderPageLayout_->addLayout(fields);
  order_ = newOrderControl(page);
  orderPageLayout_->addWidget(order_, 1);
  connect(poNumber_, &QLineEdit::textChanged, this, [this](const QString& text) { load_->setEnabled(isOrderNumber(text)); });
  poNumber_->setText(fieldText(order_->xPONum()));
  load_->setEnabled(isOrderNumber(poNumber_->text()));
  connect(load_, &QPushButton::clicked, this, &MainWindow::loadOrder);
  // The field lets Enter through only for what its check takes: Enter on
  // anything else is answered too.
  poNumber_->installEventFilter(this);
  connect(poNumber_, &QLineEdit::inputRejected, this, [this] {
    say(QStringLiteral("A purchase order number is 1 to %1 digits").arg(kOrderNumberDigits));
  });
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
  qty_->setToolTip(QStringLiteral("Enter sets the part and begins the search"));
  setPart_ = button(QStringLiteral("&Set part"), QStringLiteral("setPart"),
                    QStringLiteral("Looks the vendor up and puts the part in the first row of the search"), page);
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
  inquiryPageLayout_->setContentsMargins(kPageMargins);
  inquiryPageLayout_->addLayout(fields);
  inquiry_ = newInquiryControl(page);
  inquiryPageLayout_->addWidget(inquiry_, 1);
  vendor_->setText(fieldText(inquiry_->xVendor()));
  line_->setText(fieldText(inquiry_->xLine()));
  part_->setText(fieldText(inquiry_->xPart()));
  qty_->setText(fieldText(inquiry_->xQty()));
  connect(setPart_, &QPushButton::clicked, this, &MainWindow::setPart);
  for (QLineEdit* edit : {vendor_, line_, part_}) connect(edit, &QLineEdit::returnPressed, this, &MainWindow::setPart);
  connect(qty_, &QLineEdit::returnPressed, this, &MainWindow::setPartAndSearch);
  return page;
}

void MainWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  QAction* quit = file->addAction(QStringLiteral("&Quit"), this, &QWidget::close);
  quit->setObjectName(QStringLiteral("actionQuit"));
  // Not every desktop's key for quitting is Ctrl+Q; the dealer's is.
  quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  quit->setShortcutContext(Qt::ApplicationShortcut);
  quit->setStatusTip(QStringLiteral("Saves the fields and closes the program"));

  QMenu* go = menuBar()->addMenu(QStringLiteral("&Go"));
  QAction* next = go->addAction(QStringLiteral("&Next page"), this, [this] { pages_->step(1); });
  next->setObjectName(QStringLiteral("actionNextPage"));
  next->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)});
  QAction* previous = go->addAction(QStringLiteral("&Previous page"), this, [this] { pages_->step(-1); });
  previous->setObjectName(QStringLiteral("actionPreviousPage"));
  // Shift+Tab comes as Backtab from most keyboards, as Tab with Shift from some.
  previous->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)});

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  QAction* about = help->addAction(QStringLiteral("&About Velta Workstation"), this, [this] { showAbout(); });
  about->setObjectName(QStringLiteral("actionAbout"));
  about->setStatusTip(QStringLiteral("The versions, and where the business system, the settings and the journal are"));
}

void MainWindow::buildStatusBar() {
  auto* lines = new QWidget;
  auto* rows = new QVBoxLayout(lines);
  rows->setContentsMargins(0, 0, 0, 0);
  rows->setSpacing(0);
  // Two lines, so that the order's grid keeps its room: where the controls
  // work, then what happened.
  const auto row = [&](std::initializer_list<std::pair<StatusLine*, int>> items) {
    auto* line = new QHBoxLayout;
    line->setSpacing(16);
    for (const auto& [item, stretch] : items) line->addWidget(item, stretch);
    rows->addLayout(line);
  };
  system_ = statusLine(QStringLiteral("statusSystem"), lines);
  journalLine_ = statusLine(QStringLiteral("statusJournal"), lines);
  distributor_ = statusLine(QStringLiteral("statusDistributor"), lines);
  orderLines_ = statusLine(QStringLiteral("statusOrder"), lines);
  outcome_ = statusLine(QStringLiteral("statusOutcome"), lines);
  row({{system_, 2}, {distributor_, 3}, {journalLine_, 2}});
  row({{orderLines_, 3}, {outcome_, 4}});
  statusBar()->addWidget(lines, 1);
  system_->setFullText(businessSystemText(site_), siteDetails(site_).join(QLatin1Char('\n')));
  journalLine_->setFullText(journalStatusText(setup_.exchange.journal));
  showDistributor();
  showOrderLines();
  say(QStringLiteral("Ready"));
}

void MainWindow::setTabOrders() {
  // On each page: the fields, their button, then the control.
  QWidget* const orderChain[] = {poNumber_, load_, order_};
  QWidget* const inquiryChain[] = {vendor_, line_, part_, qty_, setPart_, inquiry_};
  for (std::size_t i = 1; i < std::size(orderChain); ++i) QWidget::setTabOrder(orderChain[i - 1], orderChain[i]);
  for (std::size_t i = 1; i < std::size(inquiryChain); ++i) QWidget::setTabOrder(inquiryChain[i - 1], inquiryChain[i]);
}

void MainWindow::placeWindow() {
  const WindowPlace place = readWindowPlace(setup_.settingsFile);
  const QScreen* primary = QGuiApplication::primaryScreen();
  const QRect primaryArea = primary ? primary->availableGeometry() : QRect(0, 0, 1366, 768);
  if (place.geometry) {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
    setGeometry(placeOnScreens(*place.geometry, areas, primaryArea));
  } else {
    resize(firstWindowSize(primaryArea));
  }
  if (place.maximized) setWindowState(windowState() | Qt::WindowMaximized);
  pages_->setCurrentIndex(std::min(place.page, pages_->count() - 1));
}

void MainWindow::pageChosen(int index) {
  if (index == kJournalPage) journal_->refresh();
  // The page's first field takes the keys, as on a page of a tab widget.
  QWidget* first = index == kOrderPage ? static_cast<QWidget*>(poNumber_)
                   : index == kInquiryPage ? static_cast<QWidget*>(vendor_)
                                           : static_cast<QWidget*>(journal_->list());
  first->setFocus(Qt::OtherFocusReason);
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
  tellWhatExitEnds(*control, QStringLiteral("Closes this purchase order, not the program: the window stays for the next one"));
  connect(control, &veltaorder::UserControl1::controlShutdown, this, [this, control] { orderShutdown(control); });
  connect(control, &veltaorder::UserControl1::transmissionEnded, this, [this, control] {
    journal_->refresh();
    // A form may still be on its way to controlShutdown: let it finish first.
    QTimer::singleShot(0, this, [this, ended = QPointer<veltaorder::UserControl1>(control)] {
      if (ended) orderExchangeEnded(ended);
    });
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
  tellWhatExitEnds(*control, QStringLiteral("Closes this inquiry, not the program: the part's fields stay for the next one"));
  connect(control, &veltaiq::UserControl1::controlShutdown, this, [this, control] { inquiryShutdown(control); });
  // Every box of an inquiry counts, even one with the text of the last.
  connect(control, &veltaiq::UserControl1::errTextChanged, this, [this, control](const QString& text) {
    if (control == inquiry_) inquiryReport_ = text;
  });
  connect(control, &veltaiq::UserControl1::exchangeOpenChanged, this, [this, control](bool open) {
    if (open) {
      inquiryExchange(control, true);
      return;
    }
    // The answer is shown after the exchange has ended: it is read once that is over.
    QTimer::singleShot(0, this, [this, ended = QPointer<veltaiq::UserControl1>(control)] {
      if (ended) inquiryExchange(ended, false);
    });
  });
  inquirySearched_ = false;
  return control;
}

void MainWindow::setPresenter(velta::qt::Presenter* presenter) {
  presenter_ = presenter;
  order_->setPresenter(presenter);
  inquiry_->setPresenter(presenter);
}

AboutBox* MainWindow::showAbout() {
  if (!about_) {
    about_ = new AboutBox({site_, setup_.settingsFile, setup_.exchange.journal}, this);
    about_->setWindowModality(Qt::WindowModal);
  }
  about_->show();
  about_->raise();
  about_->activateWindow();
  return about_;
}

void MainWindow::loadOrder() {
  const QString number = poNumber_->text();
  if (!isOrderNumber(number)) {
    say(QStringLiteral("A purchase order number is 1 to %1 digits; nothing was loaded").arg(kOrderNumberDigits));
    return;
  }
  QPointer<veltaorder::UserControl1> control = order_;
  const QString reportBefore = control->errText();
  control->setXPONum(number);
  loadingOrder_ = true;
  control->setPO();
  loadingOrder_ = false;
  // A number that opens nothing ends the control; orderShutdown said so.
  if (!control || control.data() == orderEnded_.data()) return;
  loadedOrder_ = number;
  orderVendor_ = orderVendorText(*control);
  orderReach_ = orderDistributorText(*control);
  showDistributor();
  showOrderLines();
  if (control->errText() != reportBefore) {
    say(QStringLiteral("Purchase order ") + number + QStringLiteral(" was not loaded whole: ") +
        firstLine(control->errText()));
  } else {
    say(orderLoadedText(number, usable(*control, "cmdSubmit"), usable(*control, "cmdPOStat")));
  }
}

void MainWindow::setPart() { setPartFromFields(); }

void MainWindow::setPartAndSearch() {
  if (!setPartFromFields()) return;
  if (inquiry_->inquiryOpen()) {
    say(QStringLiteral("An inquiry is open; its answer comes first"));
    return;
  }
  inquiry_->LocatePart();
}

bool MainWindow::setPartFromFields() {
  QPointer<veltaiq::UserControl1> control = inquiry_;
  if (inquirySearched_ && !control->inquiryOpen()) {
    // After an answer "Begin Search" waits for the control to be shown again,
    // as a host shows it for each new part.
    control->hide();
    control->show();
    inquirySearched_ = false;
  }
  const QString reportBefore = control->errText();
  control->setXVendor(vendorValue(vendor_->text()));
  control->setXLine(line_->text());
  control->setXPart(part_->text());
  control->setXQty(qty_->text());
  // The window knows no description of the part: none rather than a new control's 0.
  control->setXDesc(QString());
  settingPart_ = true;
  control->setSearch();
  settingPart_ = false;
  // A vendor the business system does not know ends the control; inquiryShutdown said so.
  if (!control || control.data() == inquiryEnded_.data()) return false;
  inquiryVendor_ = inquiryVendorText(*control);
  inquiryReach_ = inquiryDistributorText(*control);
  showDistributor();
  if (control->errText() != reportBefore) {
    say(QStringLiteral("The part was not set: ") + firstLine(control->errText()));
    return false;
  }
  say(QStringLiteral("Part ") + inquiryPartText() + QStringLiteral(", quantity ") + qty_->text().trimmed() +
      QStringLiteral(", set for vendor ") + inquiryVendor_ + QStringLiteral(": Begin Search asks the distributor"));
  return true;
}

QString MainWindow::inquiryPartText() const {
  return (fieldText(inquiry_->xLine()).trimmed() + QLatin1Char(' ') + fieldText(inquiry_->xPart()).trimmed()).trimmed();
}

void MainWindow::orderShutdown(veltaorder::UserControl1* control) {
  if (control != order_ || orderEnded_ == control) return;
  orderEnded_ = control;
  control->writeProperties(*orderBag_);
  const bool saved = saveSettings();
  const QString po = fieldText(control->xPONum());
  QString ended;
  if (loadingOrder_) {
    ended = QStringLiteral("Purchase order ") + po + QStringLiteral(" could not be opened in the business system");
  } else {
    ended = orderEndText(po, control->lastOutcome(), control->lastOrderNumber());
  }
  if (saved) say(ended);
  journal_->refresh();
  // The control is still inside its own routine: it goes once that is over.
  QTimer::singleShot(0, this, &MainWindow::replaceOrderControl);
}

void MainWindow::orderExchangeEnded(veltaorder::UserControl1* control) {
  // After controlShutdown orderShutdown has told how it ended.
  if (control != order_ || control == orderEnded_.data() || control->isTransmitting()) return;
  QString ended = orderEndText(loadedOrder_, control->lastOutcome(), control->lastOrderNumber());
  if (control->lastOutcome() == QLatin1String("not-sent") && !control->errText().isEmpty()) {
    ended += QStringLiteral(": ") + notSentReason(control->errText());
  }
  say(ended);
}

void MainWindow::inquiryShutdown(veltaiq::UserControl1* control) {
  if (control != inquiry_ || inquiryEnded_ == control) return;
  inquiryEnded_ = control;
  control->writeProperties(*inquiryBag_);
  const bool saved = saveSettings();
  if (saved && settingPart_) {
    say(QStringLiteral("Vendor ") + fieldText(control->xVendor()) +
        QStringLiteral(" is not in the business system; the part's fields are kept"));
  } else if (saved) {
    say(QStringLiteral("The inquiry ended; the part's fields are kept for the next one"));
  }
  journal_->refresh();
  QTimer::singleShot(0, this, &MainWindow::replaceInquiryControl);
}

void MainWindow::inquiryExchange(veltaiq::UserControl1* control, bool open) {
  if (control != inquiry_ || control == inquiryEnded_.data()) return;
  if (open) {
    inquirySearched_ = true;
    inquiryReport_.clear();
    say(QStringLiteral("Inquiry for ") + inquiryPartText() + QStringLiteral(": asking the distributor"));
    return;
  }
  journal_->refresh();
  if (control->inquiryOpen()) return;
  const velta::qt::Grid* results = velta::qt::asGrid(control->findChild<QWidget*>(QStringLiteral("grdItem")));
  say(inquiryEndText(inquiryPartText(), results ? results->Rows() - 1 : 0, inquiryReport_));
}

void MainWindow::replaceOrderControl() {
  veltaorder::UserControl1* old = order_;
  order_ = newOrderControl(old->parentWidget());
  orderPageLayout_->replaceWidget(old, order_);
  old->hide();
  old->deleteLater();
  QWidget::setTabOrder(load_, order_);
  order_->show();
  loadedOrder_.clear();
  orderVendor_.clear();
  orderReach_.clear();
  showDistributor();
  showOrderLines();
}

void MainWindow::replaceInquiryControl() {
  veltaiq::UserControl1* old = inquiry_;
  inquiry_ = newInquiryControl(old->parentWidget());
  inquiryPageLayout_->replaceWidget(old, inquiry_);
  old->hide();
  old->deleteLater();
  QWidget::setTabOrder(setPart_, inquiry_);
  inquiry_->show();
  inquiryVendor_.clear();
  inquiryReach_.clear();
  showDistributor();
}

bool MainWindow::saveSettings() {
  const QString folder = QFileInfo(setup_.settingsFile).absolutePath();
  if (QDir().mkpath(folder) && orderBag_->sync() && inquiryBag_->sync()) return true;
  say(QStringLiteral("Cannot write the settings file ") + setup_.settingsFile);
  return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == poNumber_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      loadOrder();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  order_->writeProperties(*orderBag_);
  inquiry_->writeProperties(*inquiryBag_);
  if (saveSettings()) {
    WindowPlace place;
    place.maximized = isMaximized();
    place.geometry = place.maximized ? normalGeometry() : geometry();
    place.page = pages_->currentIndex();
    writeWindowPlace(setup_.settingsFile, place);
  }
  QMainWindow::closeEvent(event);
}

void MainWindow::showDistributor() {
  QStringList reach;
  if (!orderReach_.isEmpty()) reach << orderReach_;
  if (!inquiryReach_.isEmpty()) reach << inquiryReach_;
  distributor_->setFullText(distributorText(orderVendor_, inquiryVendor_), reach.join(QLatin1Char('\n')));
}

void MainWindow::showOrderLines() {
  orderLines_->setFullText(orderLinesText(loadedOrder_, loadedOrder_.isEmpty() ? OrderLines{} : orderLines(*order_)));
}

void MainWindow::say(const QString& text) { outcome_->setFullText(text); }

}  // namespace velta::workstation
