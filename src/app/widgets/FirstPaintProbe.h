// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace rtv {

// Start-up measurement: when the environment names RTV_FIRST_PAINT_PROBE, the end of the
// first paint of a widget of the given class prints the wall-clock time in nanoseconds
// ("first-paint <ns>", then "window-title <title>") and ends the program. The start-up benchmark
// compares it with the time it started the process. Set to "stay", the program goes on after the
// line: tests that start it wait for its window that way.
class FirstPaintProbe : public QObject {
  Q_OBJECT

 public:
  // Watches the application for `className` when the probe is asked for; otherwise does
  // nothing. Call it once the application object exists.
  static void WatchIfAsked(const char* className);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  FirstPaintProbe(const char* className, bool stay) : className_(className), stay_(stay) {}

  const char* className_;
  bool stay_;
  bool fired_ = false;
};

}  // namespace rtv
