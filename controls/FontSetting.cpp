#include "controls/FontSetting.h"

#include <QStringList>
#include <cstdlib>

#include "component/Exceptions.h"

void applyFontSetting(QFont& font, std::string_view name, const PropertyValue& value) {
    if (name == "Name") {
        font.setFamilies({QString::fromStdString(value.text), QStringLiteral("DejaVu Sans")});
    } else if (name == "Height") {
        font.setPixelSize(static_cast<int>(std::llabs(value.integer)));
    } else if (name == "Style") {
        font.setBold(false);
        font.setItalic(false);
        font.setUnderline(false);
        font.setStrikeOut(false);
        for (const std::string& style : value.items) {
            if (style == "fsBold") {
                font.setBold(true);
            } else if (style == "fsItalic") {
                font.setItalic(true);
            } else if (style == "fsUnderline") {
                font.setUnderline(true);
            } else if (style == "fsStrikeOut") {
                font.setStrikeOut(true);
            }
        }
    } else if (name == "Color" || name == "Charset") {
        // Text colour and character set follow the system's palette and Unicode.
    } else {
        throw EReadError("Line " + std::to_string(value.line) + ": unknown font setting " +
                         std::string(name));
    }
}
