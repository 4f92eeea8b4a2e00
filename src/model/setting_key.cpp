#include "model/setting_key.h"

#include "model/parameter_access.h"

namespace tw::model {

SettingKey KeyOfItem(int number, int subIndex) {
  return BlockOfParameter(number) == Block::GraphicEq ? SettingKey{number, subIndex} : SettingKey{number, -1};
}

}  // namespace tw::model
