// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

namespace rtv {

// The platform's style with the menu bar's overflow picture built in: Qt reads its own
// picture through the image plugins, which loads every one of them while the main window
// is being built.
class ProgramStyle : public QProxyStyle {
  Q_OBJECT

 public:
  // Over the style named `baseKey`: the platform's, or the one asked for with "-style".
  explicit ProgramStyle(const QString& baseKey) : QProxyStyle(baseKey) {}

  QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace rtv
