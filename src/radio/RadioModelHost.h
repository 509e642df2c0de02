// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rtv {

class EepromImage;

// What the model's rules need of whoever keeps the images (the program's controller, the
// command-line tool): the initial image of the current model type, the modes, and the
// switch to another model type.
class RadioModelHost {
 public:
  virtual ~RadioModelHost() = default;

  // The initial image of the current model type, normalised against itself.
  virtual const EepromImage& ModelTemplate() const = 0;
  // The current model type, 0–6.
  virtual int ModelType() const = 0;
  // Adjust mode keeps the service block of older images.
  virtual bool IsAdjustMode() const { return false; }
  // Makes another of the seven model types current: its initial file becomes the template.
  virtual void SwitchModel(int modelType) = 0;
};

}  // namespace rtv
