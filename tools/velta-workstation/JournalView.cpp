#include "tools/velta-workstation/JournalView.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <exception>
#include <filesystem>
#include <optional>

#include "link/ExchangeJournal.h"
#include "qt/Transcript.h"

namespace velta::workstation {

namespace {

enum Column { kId, kTime, kSet, kDistributor, kOutcome, kRequest, kAnswer, kReference, kColumns };

QString text(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<int>(s.size())); }

std::optional<ExchangeJournal> openJournal(const QString& folder, QString* why) {
  if (folder.isEmpty()) {
    *why = QStringLiteral("No journal is kept: the window was started with --no-journal, or journal= is empty in "
                          "the settings' [workstation] section");
    return std::nullopt;
  }
  const std::filesystem::path path(folder.toLocal8Bit().toStdString());
  if (!std::filesystem::exists(path / std::string(ExchangeJournal::kFileName))) {
    *why = QStringLiteral("No exchange in the journal in ") + folder + QStringLiteral(" yet");
    return std::nullopt;
  }
  try {
    return ExchangeJournal::openExisting(path);
  } catch (const std::exception& e) {
    *why = QStringLiteral("The journal in ") + folder + QStringLiteral(" cannot be read: ") +
           QString::fromLocal8Bit(e.what());
    return std::nullopt;
  }
}

}  // namespace

JournalView::JournalView(QWidget* parent)
    : QWidget(parent),
      state_(new QLabel(this)),
      refresh_(new QPushButton(QStringLiteral("&Refresh"), this)),
      list_(new QTreeWidget(this)),
      bytes_(new QPlainTextEdit(this)) {
  setObjectName(QStringLiteral("journalView"));
  state_->setObjectName(QStringLiteral("journalState"));
  state_->setWordWrap(true);
  refresh_->setObjectName(QStringLiteral("journalRefresh"));
  list_->setObjectName(QStringLiteral("journalList"));
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setHeaderLabels({QStringLiteral("ID"), QStringLiteral("Local time"), QStringLiteral("Set"),
                          QStringLiteral("Distributor"), QStringLiteral("Outcome"), QStringLiteral("Request"),
                          QStringLiteral("Answer"), QStringLiteral("Reference")});
  bytes_->setObjectName(QStringLiteral("journalBytes"));
  bytes_->setReadOnly(true);
  bytes_->setLineWrapMode(QPlainTextEdit::NoWrap);
  bytes_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

  auto* top = new QHBoxLayout;
  top->addWidget(state_, 1);
  top->addWidget(refresh_);
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(list_);
  split->addWidget(bytes_);
  auto* whole = new QVBoxLayout(this);
  whole->addLayout(top);
  whole->addWidget(split, 1);

  connect(refresh_, &QPushButton::clicked, this, &JournalView::refresh);
  connect(list_, &QTreeWidget::itemSelectionChanged, this, &JournalView::showSelected);
  refresh();
}

void JournalView::setFolder(const QString& folder) {
  folder_ = folder;
  refresh();
}

QString JournalView::stateText() const { return state_->text(); }

void JournalView::refresh() {
  const QList<QTreeWidgetItem*> selected = list_->selectedItems();
  const QString keep = selected.isEmpty() ? QString() : selected.front()->text(kId);
  list_->clear();
  QString why;
  if (auto journal = openJournal(folder_, &why)) {
    try {
      for (const JournalEntry& entry : journal->list()) {
        auto* row = new QTreeWidgetItem(list_);
        row->setText(kId, QString::number(entry.id));
        row->setText(kTime, text(entry.localTime()));
        row->setText(kSet, text(entry.setNumber));
        row->setText(kDistributor, text(entry.host) + QLatin1Char(':') + QString::number(entry.port));
        row->setText(kOutcome, text(entry.outcome));
        row->setText(kRequest, QString::number(entry.request.size()) + QStringLiteral(" bytes"));
        row->setText(kAnswer, entry.answer ? QString::number(entry.answer->size()) + QStringLiteral(" bytes")
                                           : QStringLiteral("none"));
        row->setText(kReference, text(entry.reference));
        row->setData(kId, Qt::UserRole, QVariant::fromValue<qlonglong>(entry.id));
        for (int c : {kId, kRequest, kAnswer}) row->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        if (row->text(kId) == keep) row->setSelected(true);
      }
      const int count = list_->topLevelItemCount();
      state_->setText(QStringLiteral("Journal in ") + folder_ + QStringLiteral(": ") + QString::number(count) +
                      (count == 1 ? QStringLiteral(" exchange") : QStringLiteral(" exchanges")));
    } catch (const std::exception& e) {
      state_->setText(QStringLiteral("The journal in ") + folder_ + QStringLiteral(" cannot be read: ") +
                      QString::fromLocal8Bit(e.what()));
    }
  } else {
    state_->setText(why);
  }
  for (int c = 0; c < kColumns; ++c) list_->resizeColumnToContents(c);
  showSelected();
}

void JournalView::showSelected() {
  const QList<QTreeWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty()) {
    bytes_->clear();
    return;
  }
  QString why;
  auto journal = openJournal(folder_, &why);
  std::optional<JournalEntry> entry;
  try {
    if (journal) entry = journal->read(selected.front()->data(kId, Qt::UserRole).toLongLong());
  } catch (const std::exception& e) {
    why = QString::fromLocal8Bit(e.what());
  }
  if (!entry) {
    bytes_->setPlainText(why.isEmpty() ? QStringLiteral("This exchange is no longer in the journal.") : why);
    return;
  }
  QString shown = QStringLiteral("Request, ") + QString::number(entry->request.size()) + QStringLiteral(" bytes:\n") +
                  shownBytes(entry->request);
  if (entry->answer) {
    shown += QStringLiteral("\n\nAnswer, ") + QString::number(entry->answer->size()) + QStringLiteral(" bytes:\n") +
             shownBytes(*entry->answer);
  } else {
    shown += QStringLiteral("\n\nAnswer: none yet (the exchange is pending)");
  }
  bytes_->setPlainText(shown);
}

QString JournalView::shownBytes(std::string_view bytes) {
  QString shown;
  std::size_t start = 0;
  while (start <= bytes.size()) {
    const std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) {
      shown += velta::qt::escapeBytes(bytes.substr(start));
      break;
    }
    shown += velta::qt::escapeBytes(bytes.substr(start, end - start)) + QStringLiteral("\\n\n");
    start = end + 1;
  }
  return shown;
}

}  // namespace velta::workstation
