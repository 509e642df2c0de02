// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/ProgramIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QString>
#include <array>
#include <optional>

namespace rtv {
namespace {

// Rendered from data/desktop/rtv612.svg at build time.
constexpr std::array kSizes{32, 48, 64, 128, 256};

QIcon LoadAllSizes() {
  QIcon icon;
  for (const int size : kSizes) {
    icon.addFile(QString(":/program/%1x%1/apps/rtv612.png").arg(size), QSize(size, size));
  }
  return icon;
}

// Decodes the pictures when one is first asked for, not when the icon is set: adding the
// files decodes every size at once, which cost the start-up about a tenth of its work,
// and a window shows without its icon on platforms that draw no title bar. What it draws
// is the decoded icon's own.
class ProgramIconEngine : public QIconEngine {
 public:
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Loaded().actualSize(size, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Loaded().pixmap(size, 1.0, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    // The files are added for the normal mode and the off state only.
    QList<QSize> sizes;
    if (mode != QIcon::Normal || state != QIcon::Off) return sizes;
    for (const int size : kSizes) sizes.append(QSize(size, size));
    return sizes;
  }
  QIconEngine* clone() const override { return new ProgramIconEngine(*this); }
  bool isNull() override { return false; }

 private:
  const QIcon& Loaded() {
    if (!loaded_) loaded_ = LoadAllSizes();
    return *loaded_;
  }

  std::optional<QIcon> loaded_;
};

}  // namespace

QIcon ProgramIcon::Make() { return QIcon(new ProgramIconEngine); }

}  // namespace rtv
