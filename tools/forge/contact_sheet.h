// One picture showing every forged picture with its path underneath, so the
// art can be judged at a glance (docs/contact_sheet.png).
#pragma once
#include <vector>

#include "common/text_render.h"
#include "forge_run.h"

forge_image make_contact_sheet(const std::vector<forge_preview>& previews, font_library& fonts);
