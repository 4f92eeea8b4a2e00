#include "pages/configuration_workspace.h"

namespace tw::pages {

ConfigurationWorkspace::ConfigurationWorkspace(ui::PageLink& link, model::ParameterImages& images,
                                               ui::UiServices& ui)
    : images_(images), sheet_(PageContext{link, ui}), basic_(link, ui) {
  // Reports take only pages with a window; the sheet's creation gives every tab one.
  sheet_.Create();
}

}  // namespace tw::pages
