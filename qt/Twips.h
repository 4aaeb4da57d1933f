// Sizes of the forms are given in twips, 1440 to the logical inch.
#pragma once

class QWidget;

namespace velta::qt {

// twips × dpi / 1440, rounded: 15 twips a pixel at 96 DPI.
int twipsToPixels(int twips, int dpi);
// The same at the widget's logical horizontal DPI (96 without a widget).
int twipsToPixels(const QWidget* widget, int twips);

}  // namespace velta::qt
