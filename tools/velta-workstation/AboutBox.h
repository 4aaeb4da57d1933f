// Help > About: which program and which control libraries run, and where the
// workstation finds the business system, its settings and its journal, for
// the dealer to read out or copy to support.
//
//   AboutBox about({site, settingsFile, journalFolder}, window);
//   about.exec();
#pragma once

#include <QDialog>
#include <QString>

#include "tools/velta-workstation/SiteDescription.h"

class QPlainTextEdit;

namespace velta::workstation {

struct AboutFacts {
  SiteDescription site;
  QString settingsFile;   // the workstation's own (the controls' properties, the window's place)
  QString journalFolder;  // empty: no journal is kept
};

// The whole text, line by line:
//   Velta Workstation 0.3.0
//   Order control library veltaorder 0.3.0
//   Inquiry control library veltaiq 0.3.0
//   Qt 6.4.2
//   (empty line)
//   Business system: server SRV, directory D1
//   Settings file: /tmp/hBTCatalog.ini
//   Shares: share map /home/dealer/.config/velta/shares.conf, UNC root /srv/sample
//   Workstation settings: /home/dealer/.config/velta/workstation.ini
//   Journal: /home/dealer/.local/state/velta/journal
// A library whose version is not the one the program was built with says so:
// "Order control library veltaorder 0.3.1 (built with 0.3.0)".
QString aboutText(const AboutFacts& facts);

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(const AboutFacts& facts, QWidget* parent = nullptr);

  QPlainTextEdit* details() const { return details_; }

 private:
  QPlainTextEdit* details_;
};

}  // namespace velta::workstation
