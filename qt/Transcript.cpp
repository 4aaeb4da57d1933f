#include "qt/Transcript.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <map>
#include <vector>

#include "qt/Grid.h"
#include "qt/LabelArray.h"
#include "qt/PropertyBag.h"
#include "qt/ValueVariant.h"

namespace velta::qt {

namespace {

const QString kIndent = QStringLiteral("  ");

void appendEscaped(QString& out, unsigned code) {
  switch (code) {
    case '\\': out += QLatin1String("\\\\"); return;
    case '\t': out += QLatin1String("\\t"); return;
    case '\r': out += QLatin1String("\\r"); return;
    case '\n': out += QLatin1String("\\n"); return;
    default: break;
  }
  static const char kHex[] = "0123456789ABCDEF";
  if (code < 0x20 || code == 0x7F || (code >= 0x80 && code <= 0xFF)) {
    out += QLatin1String("\\x");
    out += QLatin1Char(kHex[code >> 4]);
    out += QLatin1Char(kHex[code & 0xF]);
  } else if (code > 0xFF) {
    out += QLatin1String("\\u{");
    for (int shift = 12; shift >= 0; shift -= 4) out += QLatin1Char(kHex[(code >> shift) & 0xF]);
    out += QLatin1Char('}');
  } else {
    out += QLatin1Char(static_cast<char>(code));
  }
}

// Only what a control or form named; Qt's inner widgets are "qt_..." or unnamed.
bool isNamed(const QObject* object) {
  const QString name = object->objectName();
  return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

// True when `object` lies inside a grid or another compound widget below `root`
// (their inner widgets are not the form's).
bool insideCompound(const QObject* object, const QObject* root) {
  for (const QObject* p = object->parent(); p && p != root; p = p->parent()) {
    if (asGrid(p) || qobject_cast<const QComboBox*>(p) ||
        qobject_cast<const QAbstractSpinBox*>(p)) {
      return true;
    }
  }
  return false;
}

template <typename T>
std::vector<T*> namedChildren(const QObject& root) {
  std::vector<T*> found;
  for (T* child : root.findChildren<T*>()) {
    if (isNamed(child) && !insideCompound(child, &root)) found.push_back(child);
  }
  std::sort(found.begin(), found.end(), [](T* a, T* b) { return a->objectName() < b->objectName(); });
  return found;
}

QString entry(const QString& name, const QString& value) { return name + QLatin1Char('=') + escapeValue(value); }

// Labels of arrays by array name then index, then single labels by name.
QStringList labelEntries(const QObject& root) {
  std::map<QString, std::map<int, QLabel*>> arrays;
  std::vector<QLabel*> singles;
  for (QLabel* label : namedChildren<QLabel>(root)) {
    QString array;
    int index = 0;
    if (parseArrayLabelName(label->objectName(), &array, &index)) {
      arrays[array][index] = label;
    } else {
      singles.push_back(label);
    }
  }
  QStringList entries;
  for (const auto& [array, labels] : arrays) {
    for (const auto& [index, label] : labels) entries << entry(arrayLabelName(array, index), label->text());
  }
  for (QLabel* label : singles) entries << entry(label->objectName(), label->text());
  return entries;
}

QStringList gridsEntries(const QObject& root) {
  QStringList entries;
  for (QWidget* widget : namedChildren<QWidget>(root)) {
    if (const Grid* grid = asGrid(widget)) entries << gridEntries(*grid);
  }
  return entries;
}

QString block(const QString& head, const QStringList& entries) {
  QString text = head + QLatin1Char('\n');
  for (const QString& e : entries) text += kIndent + e + QLatin1Char('\n');
  return text;
}

QString iconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None: return QStringLiteral("none");
    case MessageIcon::Critical: return QStringLiteral("critical");
    case MessageIcon::Exclamation: return QStringLiteral("exclamation");
    case MessageIcon::Information: return QStringLiteral("information");
    case MessageIcon::Question: return QStringLiteral("question");
  }
  return QStringLiteral("none");
}

QString buttonsName(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return QStringLiteral("ok");
    case MessageButtons::OkCancel: return QStringLiteral("okcancel");
    case MessageButtons::YesNo: return QStringLiteral("yesno");
    case MessageButtons::YesNoCancel: return QStringLiteral("yesnocancel");
    case MessageButtons::RetryCancel: return QStringLiteral("retrycancel");
    case MessageButtons::AbortRetryIgnore: return QStringLiteral("abortretryignore");
  }
  return QStringLiteral("ok");
}

}  // namespace

// Each control library carries its own copy of this layer, and qobject_cast
// knows only its own copy's classes: a host's transcript finds a control's
// grids by their class name (the copies are built from the same source).
const Grid* asGrid(const QObject* object) {
  return object->inherits("velta::qt::Grid") ? static_cast<const Grid*>(object) : nullptr;
}

QString escapeValue(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text) appendEscaped(out, c.unicode());
  return out;
}

QString escapeBytes(std::string_view bytes) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) appendEscaped(out, static_cast<unsigned char>(c));
  return out;
}

QStringList messageLines(const QString& text) {
  QStringList lines;
  QString line;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
      lines << line;
      line.clear();
      if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
    } else {
      line += c;
    }
  }
  if (!line.isEmpty()) lines << line;
  return lines;
}

QStringList gridEntries(const Grid& grid) {
  const QString name = grid.objectName();
  QStringList titles;
  for (int c = 0; c < grid.Cols(); ++c) titles << escapeValue(grid.TextMatrix(0, c));
  QStringList entries;
  entries << name + QStringLiteral(".cols=") + titles.join(QLatin1Char('\t'));
  for (int r = 1; r < grid.Rows(); ++r) {
    QStringList cells;
    bool bold = false;
    QColor back;
    for (int c = 0; c < grid.Cols(); ++c) {
      cells << escapeValue(grid.TextMatrix(r, c));
      bold = bold || grid.cellFontBold(r, c);
      if (!back.isValid()) back = grid.cellBackColor(r, c);
    }
    entries << name + QLatin1Char(' ') + QString::number(r) + QStringLiteral(": ") + cells.join(QLatin1Char('\t'));
    const bool group = grid.isSubtotal(r);
    const int level = grid.rowOutlineLevel(r);
    if (group || level != 0 || bold || back.isValid()) {
      entries << name + QLatin1Char(' ') + QString::number(r) +
                     QStringLiteral(".style=group=%1 level=%2 bold=%3 back=%4")
                         .arg(group ? 1 : 0)
                         .arg(level)
                         .arg(bold ? 1 : 0)
                         .arg(back.isValid() ? back.name(QColor::HexRgb) : QStringLiteral("none"));
    }
  }
  return entries;
}

QString messageBoxBlock(const MessageBox& box) {
  QStringList entries;
  for (const QString& line : messageLines(box.text)) entries << escapeValue(line);
  return block(QStringLiteral("[messagebox] icon=%1 buttons=%2 modal=%3 title=")
                       .arg(iconName(box.icon), buttonsName(box.buttons),
                            box.systemModal ? QStringLiteral("system") : QStringLiteral("application")) +
                   escapeValue(box.title),
               entries);
}

QString formBlock(const QDialog& form) {
  QStringList entries = labelEntries(form);
  entries << gridsEntries(form);
  return block(QStringLiteral("[form ") + escapeValue(form.objectName()) + QStringLiteral("] caption=") +
                   escapeValue(form.windowTitle()),
               entries);
}

QString controlBlock(const QWidget& control, const QString& name) {
  QStringList entries = labelEntries(control);

  // Everything else that has a state worth comparing, sorted by its entry name.
  std::vector<std::pair<QString, QString>> states;
  for (QAbstractButton* button : namedChildren<QAbstractButton>(control)) {
    if (auto* check = qobject_cast<QCheckBox*>(button)) {
      states.emplace_back(check->objectName(), check->checkState() == Qt::Checked         ? QStringLiteral("1")
                                               : check->checkState() == Qt::PartiallyChecked ? QStringLiteral("2")
                                                                                             : QStringLiteral("0"));
    } else {
      states.emplace_back(button->objectName(), button->isEnabledTo(&control) ? QStringLiteral("enabled")
                                                                              : QStringLiteral("disabled"));
    }
  }
  for (QComboBox* combo : namedChildren<QComboBox>(control)) states.emplace_back(combo->objectName(), combo->currentText());
  for (QDateTimeEdit* edit : namedChildren<QDateTimeEdit>(control)) {
    states.emplace_back(edit->objectName(), edit->date().toString(QStringLiteral("yyyy-MM-dd")));
  }
  for (QProgressBar* bar : namedChildren<QProgressBar>(control)) {
    states.emplace_back(bar->objectName(), bar->isHidden() ? QStringLiteral("hidden") : QStringLiteral("visible"));
    states.emplace_back(bar->objectName() + QStringLiteral(".value"), QString::number(bar->value()));
  }
  // The busy label is the one label whose visibility tells something.
  for (QLabel* label : namedChildren<QLabel>(control)) {
    if (label->objectName() == QLatin1String("lblXmit")) {
      states.emplace_back(label->objectName(), label->isHidden() ? QStringLiteral("hidden") : QStringLiteral("visible"));
    }
  }
  for (QTimer* timer : namedChildren<QTimer>(control)) {
    states.emplace_back(timer->objectName(), timer->isActive() ? QStringLiteral("running") : QStringLiteral("stopped"));
  }
  const QVariant errText = control.property("errText");
  if (errText.isValid()) states.emplace_back(QStringLiteral("errText"), errText.toString());
  std::stable_sort(states.begin(), states.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [key, value] : states) entries << entry(key, value);

  entries << gridsEntries(control);
  return block(QStringLiteral("[control ") + escapeValue(name) + QLatin1Char(']'), entries);
}

QString eventBlock(const QString& name) { return QStringLiteral("[event] ") + escapeValue(name) + QLatin1Char('\n'); }

QString propertyLine(const QString& name, const QVariant& value) {
  const bool number = isNumberProperty(value);
  const QString text = number ? QString::fromLatin1(toValue(value).toText()) : value.toString();
  return QStringLiteral("[property] ") + (number ? QStringLiteral("number ") : QStringLiteral("text ")) +
         escapeValue(name) + QLatin1Char('=') + escapeValue(text) + QLatin1Char('\n');
}

void pressOk(QDialog& form) {
  if (auto* ok = form.findChild<QAbstractButton*>(QStringLiteral("cmdOk"))) {
    ok->click();
  } else {
    form.accept();
  }
}

TranscriptPresenter::TranscriptPresenter(std::function<void(const QString&)> write) : write_(std::move(write)) {}

TranscriptPresenter::TranscriptPresenter(FILE* out)
    : write_([out](const QString& text) {
        const QByteArray bytes = text.toLatin1();
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), out);
        std::fflush(out);
      }) {}

TranscriptPresenter::TranscriptPresenter(QTextStream& out)
    : write_([&out](const QString& text) {
        out << text;
        out.flush();
      }) {}

MessageAnswer TranscriptPresenter::showMessage(QWidget*, const MessageBox& box) {
  write_(messageBoxBlock(box));
  return defaultAnswer(box);
}

void TranscriptPresenter::showForm(QWidget*, QDialog& form) {
  write_(formBlock(form));
  pressOk(form);
}

}  // namespace velta::qt
