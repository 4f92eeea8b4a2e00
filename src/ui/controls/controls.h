#pragma once

// Every control model and the layout declaration, for pages and renderers.
#include "ui/controls/button.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/control.h"
#include "ui/controls/edit_box.h"
#include "ui/controls/group_box.h"
#include "ui/controls/layout.h"
#include "ui/controls/level_slider.h"
#include "ui/controls/list_box.h"
#include "ui/controls/list_view.h"
#include "ui/controls/progress_bar.h"
#include "ui/controls/radio_group.h"
#include "ui/controls/slider.h"
#include "ui/controls/static_text.h"
#include "ui/controls/step_slider.h"
