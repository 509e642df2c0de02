// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/widgets/CellInputValidator.h"

namespace rtv {
namespace {

// Characters outside ASCII are checked as one code above 0x7F, whatever they are.
unsigned CodeOf(QChar c) { return c.unicode() < 0x80 ? c.unicode() : 0x80; }

}  // namespace

EditRefusal CellInputValidator::FirstRefusal(QString& input, QString& character) const {
  int position = 0;
  for (qsizetype i = 0; i < input.size(); ++i, ++position) {
    if (input[i].unicode() < 0x80) {
      input[i] = QChar(rule_.Adjust(static_cast<char>(input[i].unicode())));
    }
    const EditRefusal refusal = rule_.Check(CodeOf(input[i]), position);
    if (refusal == EditRefusal::None) continue;
    const bool pair = input[i].isHighSurrogate() && i + 1 < input.size();
    character = input.mid(i, pair ? 2 : 1);
    return refusal;
  }
  return EditRefusal::None;
}

QValidator::State CellInputValidator::validate(QString& input, int& /*position*/) const {
  if (!rule_.Limits()) return Acceptable;
  QString character;
  const EditRefusal refusal = FirstRefusal(input, character);
  if (refusal == EditRefusal::None) return Acceptable;
  if (onRefused) onRefused(refusal, character);
  return Invalid;
}

QString CellInputValidator::Filtered(const QString& text) const {
  if (!rule_.Limits()) return text;
  QString kept;
  for (const QChar c : text) {
    QString candidate = kept + c;
    QString character;
    if (FirstRefusal(candidate, character) == EditRefusal::None) kept = candidate;
  }
  return kept;
}

}  // namespace rtv
