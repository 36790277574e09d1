#include "controls/DBGridColumn.h"

#include <QFontMetrics>

#include "component/Exceptions.h"
#include "data/Field.h"

namespace {

[[noreturn]] void rejectSetting(std::string_view name, const PropertyValue& value,
                                const std::string& why) {
    throw EReadError("Line " + std::to_string(value.line) + ": column setting " +
                     std::string(name) + " " + why);
}

}  // namespace

void TDBGridColumn::readSettings(const PropertyValue::Settings& settings) {
    for (const auto& [name, value] : settings) {
        readSetting(name, value);
    }
}

void TDBGridColumn::readSetting(std::string_view name, const PropertyValue& value) {
    if (name == "FieldName") {
        fieldName_ = value.text;
    } else if (name == "Checkboxes") {
        checkboxes_ = value.asBool();
    } else if (name == "KeyList") {
        keyList_ = value.items;
    } else if (name == "Width") {
        width_ = static_cast<int>(value.integer);
    } else if (name == "ReadOnly") {
        readOnly_ = value.asBool();
    } else if (name == "EditButtons" || name == "Footers") {
        // The grid draws neither edit buttons nor a footer row; an empty
        // collection is what the window stores.
        if (value.kind != PropertyValue::Kind::Collection || !value.collection.empty()) {
            rejectSetting(name, value, "is not supported");
        }
    } else {
        rejectSetting(name, value, "is unknown");
    }
}

bool TDBGridColumn::isCheckBoxColumn() const {
    if (checkboxes_) {
        return *checkboxes_;
    }
    return field_ && field_->dataType() == TFieldType::ftBoolean;
}

std::optional<std::string_view> TDBGridColumn::keyLine(int index) const {
    if (index < 0 || index >= static_cast<int>(keyList_.size())) {
        return std::nullopt;
    }
    return std::string_view(keyList_[static_cast<std::size_t>(index)]);
}

TCheckBoxState TDBGridColumn::checkState() const {
    return checkStateOf(field_, keyLine(0), keyLine(1));
}

void TDBGridColumn::writeState(TCheckBoxState state) const {
    writeCheckState(field_, state, keyLine(0), keyLine(1));
}

int TDBGridColumn::width(const QFontMetrics& font) const {
    if (width_) {
        return *width_;
    }
    if (!field_) {
        return kDefaultWidth;
    }
    constexpr int overhang = 0;
    return field_->displayWidth() * (font.horizontalAdvance(QLatin1Char('0')) - overhang) +
           overhang + 4;
}

std::string TDBGridColumn::title() const {
    return field_ ? field_->displayName() : fieldName_;
}
