#pragma once
// Font settings as the window description stores them.

#include <QFont>
#include <string_view>

#include "component/Component.h"

// Name (a face, requested as is; fontconfig picks the nearest), Height (in
// pixels; negative means the character height without leading), Color,
// Charset and Style. Throws EReadError on anything else.
void applyFontSetting(QFont& font, std::string_view name, const PropertyValue& value);
