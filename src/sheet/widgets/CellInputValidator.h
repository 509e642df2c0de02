// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QValidator>
#include <functional>

#include "cells/EditRule.h"

namespace rtv {

// Holds the in-place editor to what its cell stores: refuses characters and lengths the
// field cannot take as they are typed, and upper-cases where the field has no lower case.
class CellInputValidator : public QValidator {
  Q_OBJECT

 public:
  explicit CellInputValidator(QObject* parent = nullptr) : QValidator(parent) {}

  void SetRule(const EditRule& rule) { rule_ = rule; }
  const EditRule& rule() const { return rule_; }
  // Told each refusal with the refused character.
  std::function<void(EditRefusal refusal, const QString& character)> onRefused;

  State validate(QString& input, int& position) const override;
  // The part of `text` the rule takes: adjusted, refused characters and the excess left out.
  QString Filtered(const QString& text) const;
  // The first refusal in `input` (adjusted in place) and its character; None when all of it
  // is taken.
  EditRefusal FirstRefusal(QString& input, QString& character) const;

 private:
  EditRule rule_;
};

}  // namespace rtv
