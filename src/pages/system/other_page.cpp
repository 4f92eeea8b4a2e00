#include "pages/system/other_page.h"

#include "settings/system/other_settings.h"

namespace tw::pages {

OtherPage::OtherPage(const PageContext& context) : ItemPage(context, settings::OtherSettings()) {
  auto item = [this](int number, int frameId, std::string frame) {
    return ui::Item(MakeRadios(number, frameId, std::move(frame)));
  };
  SetLayout(ui::Column({ui::Row({item(532, 1800, "Audio Select Set"), item(533, 1803, "Decoder Mode Set")}),
                        item(534, 1806, "HDMI Support Audio")}));
}

}  // namespace tw::pages
