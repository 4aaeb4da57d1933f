#include "tools/velta-workstation/AboutBox.h"

#include <velta/version.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>

#include "inquiry/Version.h"
#include "order/Version.h"

namespace velta::workstation {

namespace {

const QString kBuiltWith = QStringLiteral(VELTA_VERSION_STRING);

QString libraryLine(const QString& what, const char* loaded) {
  const QString version = QString::fromLatin1(loaded);
  QString line = what + QLatin1Char(' ') + version;
  if (version != kBuiltWith) line += QStringLiteral(" (built with ") + kBuiltWith + QLatin1Char(')');
  return line;
}

}  // namespace

QString aboutText(const AboutFacts& facts) {
  QStringList lines{
      QStringLiteral("Velta Workstation ") + kBuiltWith,
      libraryLine(QStringLiteral("Order control library veltaorder"), veltaorder::libraryVersionString()),
      libraryLine(QStringLiteral("Inquiry control library veltaiq"), veltaiq::libraryVersionString()),
      QStringLiteral("Qt ") + QString::fromLatin1(qVersion()),
      QString(),
      businessSystemText(facts.site),
  };
  lines << siteDetails(facts.site);
  lines << QStringLiteral("Workstation settings: ") + facts.settingsFile;
  lines << QStringLiteral("Journal: ") + (facts.journalFolder.isEmpty() ? QStringLiteral("none kept") : facts.journalFolder);
  return lines.join(QLatin1Char('\n'));
}

AboutBox::AboutBox(const AboutFacts& facts, QWidget* parent) : QDialog(parent), details_(new QPlainTextEdit(this)) {
  setObjectName(QStringLiteral("aboutBox"));
  setWindowTitle(QStringLiteral("About Velta Workstation"));
  auto* title = new QLabel(QStringLiteral("Velta Workstation ") + kBuiltWith, this);
  QFont bold = title->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.25);
  title->setFont(bold);
  auto* purpose = new QLabel(
      QStringLiteral("Purchase orders and part availability with the parts distributor. "
                     "For support, the lines below can be selected and copied."),
      this);
  purpose->setWordWrap(true);

  const QString text = aboutText(facts);
  details_->setObjectName(QStringLiteral("aboutDetails"));
  details_->setReadOnly(true);
  details_->setLineWrapMode(QPlainTextEdit::NoWrap);
  details_->setPlainText(text);
  const QFontMetrics metrics(details_->font());
  int widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n'))) widest = std::max(widest, metrics.horizontalAdvance(line));
  details_->setMinimumSize(std::min(widest + 40, 900), metrics.lineSpacing() * (text.count(QLatin1Char('\n')) + 3));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setDefault(true);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title);
  layout->addWidget(purpose);
  layout->addWidget(details_, 1);
  layout->addWidget(buttons);
}

}  // namespace velta::workstation
