#include "qt/Twips.h"

#include <QWidget>
#include <cmath>

namespace velta::qt {

namespace {
constexpr int kTwipsPerInch = 1440;
constexpr int kDefaultDpi = 96;
}  // namespace

int twipsToPixels(int twips, int dpi) {
  return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

int twipsToPixels(const QWidget* widget, int twips) {
  return twipsToPixels(twips, widget ? widget->logicalDpiX() : kDefaultDpi);
}

}  // namespace velta::qt
