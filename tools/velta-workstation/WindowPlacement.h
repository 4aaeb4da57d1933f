// Where the main window opens: where it was left, on a screen that is there
// now, else at a size that shows a working order on the screen it opens on.
//
// The settings file's section "window" keeps the last run's place:
//
//   [window]
//   x=40
//   y=30
//   width=1180
//   height=720
//   maximized=false
//   page=0
//
//   WindowPlace place = readWindowPlace(settingsFile);
//   QRect shown = placeOnScreens(place.geometry, availableAreas, primaryArea);
#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

namespace velta::workstation {

struct WindowPlace {
  std::optional<QRect> geometry;  // the window's own area, without its frame; none: never saved
  bool maximized = false;
  int page = 0;
};

// None of a section with a size below 1, or no section.
WindowPlace readWindowPlace(const QString& settingsFile);
// False when the file cannot be written.
bool writeWindowPlace(const QString& settingsFile, const WindowPlace& place);

// The size the window opens at the first time: room for ten and more lines of
// an order on a 1366 by 768 screen, never more than `available`.
QSize firstWindowSize(const QRect& available);

// `wanted` where it lies, when it lies wholly within one of `available` (the
// screens' areas for windows); else on the screen that holds most of it (the
// primary one, centred, when none holds any), made no larger than that
// screen's area less room for a frame, and moved inside it.
QRect placeOnScreens(const QRect& wanted, const QList<QRect>& available, const QRect& primary);

}  // namespace velta::workstation
