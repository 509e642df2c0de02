// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "link/PortDiscovery.h"
#include "link/PortField.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace rtv {

class OverlayText;
class Prompts;

// The choice of the serial port: a number field, an editable number field whose drop-down
// lists the system's ports by number, device and product, or a list of ports by those names.
class PortDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kMaxChars = 4;

  PortDialog(QWidget* owner, OverlayText& overlay, Prompts& prompts, PortField kind,
             int currentPort, const PortEnvironment& ports);

  // The chosen port once the dialog was accepted.
  std::optional<int> ChosenPort() const { return chosen_; }
  // The number the dialog's field or list stands for now (0 when none).
  int EnteredNumber() const;

  QLineEdit* NumberField() const { return number_; }
  QComboBox* List() const { return list_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

  // Rebuilds the list from the system (also done on every drop-down).
  void RefreshList();

 private:
  void Confirm();
  // Adds the current port, marked as not connected, when the system does not list it.
  void KeepCurrentPort(std::vector<std::string>& items) const;

  OverlayText& overlay_;
  Prompts& prompts_;
  PortField kind_;
  int currentPort_;
  PortEnvironment ports_;
  QLabel* notice_;
  QLineEdit* number_;
  QComboBox* list_;
  QPushButton* ok_;
  QPushButton* cancel_;
  std::optional<int> chosen_;
};

}  // namespace rtv
