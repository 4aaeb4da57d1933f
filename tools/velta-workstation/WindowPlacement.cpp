#include "tools/velta-workstation/WindowPlacement.h"

#include <QSettings>
#include <algorithm>

namespace velta::workstation {

namespace {

const QString kSection = QStringLiteral("window");

// What a window manager's title bar and borders may add to the window's own
// area, kept free so that the whole frame fits the screen.
constexpr int kFrameRoomWidth = 16;
constexpr int kFrameRoomHeight = 48;

// The first size: wide enough for the order grid's columns, tall enough for
// ten lines of it under the order's header.
constexpr int kFirstWidth = 1180;
constexpr int kFirstHeight = 720;

qint64 area(const QRect& r) { return r.isEmpty() ? 0 : qint64(r.width()) * r.height(); }

}  // namespace

WindowPlace readWindowPlace(const QString& settingsFile) {
  QSettings settings(settingsFile, QSettings::IniFormat);
  settings.beginGroup(kSection);
  WindowPlace place;
  bool okX = false, okY = false, okW = false, okH = false;
  const int x = settings.value(QStringLiteral("x")).toInt(&okX);
  const int y = settings.value(QStringLiteral("y")).toInt(&okY);
  const int width = settings.value(QStringLiteral("width")).toInt(&okW);
  const int height = settings.value(QStringLiteral("height")).toInt(&okH);
  if (okX && okY && okW && okH && width > 0 && height > 0) place.geometry = QRect(x, y, width, height);
  place.maximized = settings.value(QStringLiteral("maximized")).toBool();
  place.page = std::max(0, settings.value(QStringLiteral("page")).toInt());
  return place;
}

bool writeWindowPlace(const QString& settingsFile, const WindowPlace& place) {
  QSettings settings(settingsFile, QSettings::IniFormat);
  settings.beginGroup(kSection);
  if (place.geometry) {
    settings.setValue(QStringLiteral("x"), place.geometry->x());
    settings.setValue(QStringLiteral("y"), place.geometry->y());
    settings.setValue(QStringLiteral("width"), place.geometry->width());
    settings.setValue(QStringLiteral("height"), place.geometry->height());
  }
  settings.setValue(QStringLiteral("maximized"), place.maximized);
  settings.setValue(QStringLiteral("page"), place.page);
  settings.endGroup();
  settings.sync();
  return settings.status() == QSettings::NoError;
}

QSize firstWindowSize(const QRect& available) {
  return {std::min(kFirstWidth, available.width() - kFrameRoomWidth),
          std::min(kFirstHeight, available.height() - kFrameRoomHeight)};
}

QRect placeOnScreens(const QRect& wanted, const QList<QRect>& available, const QRect& primary) {
  for (const QRect& screen : available) {
    if (screen.contains(wanted)) return wanted;
  }
  QRect screen = primary;
  qint64 most = 0;
  for (const QRect& candidate : available) {
    const qint64 shared = area(candidate.intersected(wanted));
    if (shared > most) {
      most = shared;
      screen = candidate;
    }
  }
  // Moved by us, the window keeps room for its frame.
  const QRect room = screen.adjusted(kFrameRoomWidth / 2, kFrameRoomHeight - kFrameRoomWidth / 2,
                                     -kFrameRoomWidth / 2, -kFrameRoomWidth / 2);
  QRect placed(wanted.topLeft(), wanted.size().boundedTo(room.size()));
  if (most == 0) placed.moveCenter(room.center());
  placed.moveLeft(std::clamp(placed.left(), room.left(), room.right() - placed.width() + 1));
  placed.moveTop(std::clamp(placed.top(), room.top(), room.bottom() - placed.height() + 1));
  return placed;
}

}  // namespace velta::workstation
