#pragma once

#include <QObject>

namespace rtv {

// Start-up measurement: when the environment names RTV_FIRST_PAINT_PROBE, the first paint
// of the watched window prints the wall-clock time in nanoseconds ("first-paint <ns>") and
// ends the program. The start-up benchmark compares it with the time it started the process.
class FirstPaintProbe : public QObject {
  Q_OBJECT

 public:
  // Watches `window` when the probe is asked for; otherwise does nothing.
  static void WatchIfAsked(QObject* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool fired_ = false;
};

}  // namespace rtv
