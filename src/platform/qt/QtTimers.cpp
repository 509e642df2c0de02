// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtTimers.h"

#include <QTimer>

namespace rtv {
namespace {

class QtTimer : public Timer {
 public:
  explicit QtTimer(std::function<void()> onTimeout) : timer_(new QTimer) {
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_, &QTimer::timeout, timer_, std::move(onTimeout));
  }
  ~QtTimer() override {
    // The callback may be deleting us from inside the timer's own signal.
    timer_->stop();
    timer_->disconnect();
    timer_->deleteLater();
  }
  void Start(int intervalMs) override { timer_->start(intervalMs); }
  void Stop() override { timer_->stop(); }
  bool IsActive() const override { return timer_->isActive(); }

 private:
  QTimer* timer_;
};

}  // namespace

QtTimers::QtTimers() { elapsed_.start(); }

std::unique_ptr<Timer> QtTimers::CreateTimer(std::function<void()> onTimeout) {
  return std::make_unique<QtTimer>(std::move(onTimeout));
}

std::int64_t QtTimers::NowMs() const { return elapsed_.elapsed(); }

}  // namespace rtv
