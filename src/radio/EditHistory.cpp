// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/EditHistory.h"

#include <algorithm>
#include <cstring>

namespace rtv {
namespace {

// The image is compared in blocks first: most of it is unchanged by a step.
constexpr std::int32_t kCompareBlock = 64;

}  // namespace

EditHistory::EditHistory(std::size_t stepLimit) : stepLimit_(std::max<std::size_t>(stepLimit, 1)) {}

void EditHistory::Reset(const EepromImage& image) {
  steps_.clear();
  position_ = 0;
  clean_ = 0;
  current_.Assign(image);
}

bool EditHistory::Record(const EepromImage& image, const std::string& what,
                         const EditPlace& place) {
  if (image.Size() != current_.Size()) {
    Reset(image);  // another image altogether: nothing before it can be undone
    clean_.reset();
    return false;
  }
  const std::uint8_t* now = image.Data();
  std::uint8_t* before = current_.Data();
  const std::int32_t size = image.Size();
  Step step;
  step.info = {what, place};
  for (std::int32_t block = 0; block < size; block += kCompareBlock) {
    const std::int32_t end = std::min(block + kCompareBlock, size);
    if (std::memcmp(now + block, before + block, static_cast<std::size_t>(end - block)) == 0) {
      continue;
    }
    for (std::int32_t a = block; a < end; ++a) {
      if (now[a] == before[a]) continue;
      // A run goes on across a block boundary.
      if (!step.runs.empty() && step.runs.back().address + step.runs.back().length == a) {
        ++step.runs.back().length;
      } else {
        step.runs.push_back({a, 1, 0});
      }
    }
  }
  for (Run& run : step.runs) {
    run.offset = step.bytes.size();
    step.bytes.insert(step.bytes.end(), before + run.address, before + run.address + run.length);
    step.bytes.insert(step.bytes.end(), now + run.address, now + run.address + run.length);
    std::memcpy(before + run.address, now + run.address, static_cast<std::size_t>(run.length));
  }
  if (step.runs.empty()) return false;
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());
  if (clean_ && *clean_ > position_) clean_.reset();  // the saved state was a redo step
  step.bytes.shrink_to_fit();
  step.runs.shrink_to_fit();
  steps_.push_back(std::move(step));
  ++position_;
  if (steps_.size() > stepLimit_) {
    steps_.pop_front();
    --position_;
    if (clean_) clean_ = *clean_ == 0 ? std::nullopt : std::optional<std::size_t>(*clean_ - 1);
  }
  return true;
}

void EditHistory::Absorb(const EepromImage& image) {
  if (image.Size() != current_.Size()) {
    Reset(image);
    clean_.reset();
    return;
  }
  current_.Assign(image);
}

const EditHistory::StepInfo* EditHistory::NextUndo() const {
  return CanUndo() ? &steps_[position_ - 1].info : nullptr;
}

const EditHistory::StepInfo* EditHistory::NextRedo() const {
  return CanRedo() ? &steps_[position_].info : nullptr;
}

std::optional<EditHistory::StepInfo> EditHistory::Undo(EepromImage& image) {
  if (!CanUndo() || image.Size() != current_.Size()) return std::nullopt;
  const Step& step = steps_[position_ - 1];
  Apply(step, image, false);
  --position_;
  return step.info;
}

std::optional<EditHistory::StepInfo> EditHistory::Redo(EepromImage& image) {
  if (!CanRedo() || image.Size() != current_.Size()) return std::nullopt;
  const Step& step = steps_[position_];
  Apply(step, image, true);
  ++position_;
  return step.info;
}

void EditHistory::Apply(const Step& step, EepromImage& image, bool after) {
  for (const Run& run : step.runs) {
    const std::uint8_t* source = step.bytes.data() + run.offset + (after ? run.length : 0);
    image.WriteBlock(run.address, source, run.length);
    current_.WriteBlock(run.address, source, run.length);
  }
}

void EditHistory::MarkClean() { clean_ = position_; }

std::size_t EditHistory::MemoryUsage() const {
  std::size_t bytes = sizeof(*this) + static_cast<std::size_t>(current_.Size());
  for (const Step& step : steps_) {
    bytes += sizeof(Step) + step.info.what.capacity() + step.info.place.sheet.capacity() +
             step.runs.capacity() * sizeof(Run) + step.bytes.capacity();
  }
  return bytes;
}

}  // namespace rtv
