#include "data/Field.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "data/DBErrors.h"
#include "data/DataSet.h"
#include "data/FieldText.h"
#include "data/Messages.h"

namespace {

std::string lineText(const PropertyValue& value) {
    return "Line " + std::to_string(value.line) + ": ";
}

// The shortest text that reads back as the same number.
std::string numberText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace

TField::TField(TComponent* owner) : TComponent(owner) {}

TField::~TField() {
    if (dataSet_) {
        // A record set does not run with a field missing: it closes first.
        if (dataSet_->active()) {
            dataSet_->closeQuietly();
        }
        dataSet_->removeField(this);
    }
}

void TField::readSetting(std::string_view name, const PropertyValue& value) {
    using Kind = PropertyValue::Kind;
    if (name == "FieldName" && value.kind == Kind::String) {
        setFieldName(value.text);
    } else if (name == "Size" && value.kind == Kind::Integer &&
               dataType() == TFieldType::ftString) {
        if (value.integer < 1 || value.integer > 65535) {
            throw EReadError(lineText(value) + "Invalid property value");
        }
        static_cast<TStringField*>(this)->setSize(static_cast<int>(value.integer));
    } else if (name == "DisplayLabel" && value.kind == Kind::String) {
        displayLabel_ = value.text;
    } else if (name == "DisplayWidth" && value.kind == Kind::Integer) {
        displayWidth_ = static_cast<int>(std::clamp<std::int64_t>(value.integer, 0, 1 << 20));
    } else if (name == "ReadOnly") {
        readOnly_ = value.asBool();
    } else if (name == "Required") {
        required_ = value.asBool();
    } else if (name == "Visible") {
        visible_ = value.asBool();
    } else if (name == "Alignment" && value.kind == Kind::Identifier) {
        if (value.text == "taLeftJustify") {
            alignment_ = TAlignment::taLeftJustify;
        } else if (value.text == "taRightJustify") {
            alignment_ = TAlignment::taRightJustify;
        } else if (value.text == "taCenter") {
            alignment_ = TAlignment::taCenter;
        } else {
            throw EReadError(lineText(value) + "Invalid property value");
        }
    } else {
        TComponent::readSetting(name, value);
    }
}

void TField::setParentComponent(TComponent* parent) {
    if (auto* dataSet = dynamic_cast<TDataSet*>(parent)) {
        setDataSet(dataSet);
    } else {
        TComponent::setParentComponent(parent);
    }
}

void TField::setDataSet(TDataSet* dataSet) {
    if (dataSet == dataSet_) {
        return;
    }
    if (dataSet_ && dataSet_->active()) {
        dataSet_->databaseError(msg::kOpenDataSet);
    }
    if (dataSet && dataSet->active()) {
        dataSet->databaseError(msg::kOpenDataSet);
    }
    if (dataSet_) {
        dataSet_->removeField(this);
    }
    if (dataSet) {
        dataSet->addField(this);
    }
}

int TField::index() const {
    if (!dataSet_) {
        return -1;
    }
    const auto& fields = dataSet_->fields();
    const auto found = std::find(fields.begin(), fields.end(), this);
    return found == fields.end() ? -1 : static_cast<int>(found - fields.begin());
}

int TField::displayWidth() const {
    return displayWidth_ > 0 ? displayWidth_ : defaultDisplayWidth();
}

int TField::defaultDisplayWidth() const {
    switch (dataType()) {
        case TFieldType::ftString:
            return size();
        case TFieldType::ftBoolean:
            return static_cast<int>(
                std::max(fieldtext::kTrueText.size(), fieldtext::kFalseText.size()));
        case TFieldType::ftInteger:
        case TFieldType::ftUnknown:
            break;
    }
    return 10;
}

std::string TField::displayName() const {
    return displayLabel_.empty() ? fieldName_ : displayLabel_;
}

bool TField::canModify() const {
    return !readOnly_ && dataSet_ && dataSet_->active() && dataSet_->canModify();
}

// Reading -----------------------------------------------------------------

const dsengine::FieldValue* TField::currentValue() const {
    return dataSet_ ? dataSet_->fieldValue(*this) : nullptr;
}

bool TField::isNull() const {
    return currentValue() == nullptr;
}

std::int32_t TField::asInteger() const {
    const dsengine::FieldValue* value = currentValue();
    if (!value) {
        return 0;
    }
    switch (dataType()) {
        case TFieldType::ftString: {
            if (auto parsed = fieldtext::parseInteger(value->bytes)) {
                return *parsed;
            }
            throw EDatabaseError(msg::fill(msg::kInvalidInteger, {value->bytes, displayName()}));
        }
        case TFieldType::ftBoolean:
            return value->integer != 0 ? 1 : 0;
        case TFieldType::ftInteger:
        case TFieldType::ftUnknown:
            break;
    }
    return value->integer;
}

bool TField::asBoolean() const {
    const dsengine::FieldValue* value = currentValue();
    if (!value) {
        return false;
    }
    if (dataType() == TFieldType::ftString) {
        if (auto parsed = fieldtext::parseBoolean(value->bytes)) {
            return *parsed;
        }
        throw EDatabaseError(msg::fill(msg::kInvalidBoolean, {value->bytes, displayName()}));
    }
    return value->integer != 0;
}

std::string TField::asString() const {
    const dsengine::FieldValue* value = currentValue();
    if (!value) {
        return {};
    }
    switch (dataType()) {
        case TFieldType::ftString:
            return value->bytes;
        case TFieldType::ftBoolean:
            return std::string(value->integer != 0 ? fieldtext::kTrueText : fieldtext::kFalseText);
        case TFieldType::ftInteger:
        case TFieldType::ftUnknown:
            break;
    }
    return std::to_string(value->integer);
}

Variant TField::value() const {
    const dsengine::FieldValue* value = currentValue();
    if (!value) {
        return {};
    }
    switch (dataType()) {
        case TFieldType::ftString:
            return value->bytes;
        case TFieldType::ftBoolean:
            return value->integer != 0;
        case TFieldType::ftInteger:
        case TFieldType::ftUnknown:
            break;
    }
    return value->integer;
}

// Writing -----------------------------------------------------------------

void TField::writeInteger(std::int32_t number) {
    if (!dataSet_) {
        throw EDatabaseError(msg::fill(msg::kFieldNoDataSet, {displayName()}));
    }
    dsengine::FieldValue& value = dataSet_->writeValue();
    value.null = false;
    value.integer = number;
    value.bytes.clear();
    dataSet_->setFieldValue(*this, value);
}

void TField::writeBytes(std::string_view bytes) {
    if (!dataSet_) {
        throw EDatabaseError(msg::fill(msg::kFieldNoDataSet, {displayName()}));
    }
    dsengine::FieldValue& value = dataSet_->writeValue();
    // An empty text is stored as null; both read back as the empty text.
    value.null = bytes.empty();
    value.integer = 0;
    value.bytes.assign(bytes.data(), bytes.size());
    dataSet_->setFieldValue(*this, value);
}

void TField::writeNull() {
    if (!dataSet_) {
        throw EDatabaseError(msg::fill(msg::kFieldNoDataSet, {displayName()}));
    }
    dsengine::FieldValue& value = dataSet_->writeValue();
    value.null = true;
    value.integer = 0;
    value.bytes.clear();
    dataSet_->setFieldValue(*this, value);
}

void TField::invalidValue() const {
    throw EDatabaseError(msg::fill(msg::kInvalidValue, {displayName()}));
}

void TField::setAsInteger(std::int32_t value) {
    switch (dataType()) {
        case TFieldType::ftString:
            setAsString(std::to_string(value));
            return;
        case TFieldType::ftBoolean:
            writeInteger(value != 0 ? 1 : 0);
            return;
        case TFieldType::ftInteger:
        case TFieldType::ftUnknown:
            break;
    }
    writeInteger(value);
}

void TField::setAsBoolean(bool value) {
    if (dataType() == TFieldType::ftString) {
        setAsString(value ? fieldtext::kTrueText : fieldtext::kFalseText);
    } else {
        writeInteger(value ? 1 : 0);
    }
}

void TField::setAsString(std::string_view text) {
    switch (dataType()) {
        case TFieldType::ftString:
            writeBytes(fieldtext::cutToBytes(text, static_cast<std::size_t>(std::max(size(), 0))));
            return;
        case TFieldType::ftBoolean:
            if (text.empty()) {
                writeNull();
            } else if (auto parsed = fieldtext::parseBoolean(text)) {
                writeInteger(*parsed ? 1 : 0);
            } else {
                throw EDatabaseError(msg::fill(msg::kInvalidBoolean, {text, displayName()}));
            }
            return;
        case TFieldType::ftInteger:
        case TFieldType::ftUnknown:
            break;
    }
    if (text.empty()) {
        writeNull();
    } else if (auto parsed = fieldtext::parseInteger(text)) {
        writeInteger(*parsed);
    } else {
        throw EDatabaseError(msg::fill(msg::kInvalidInteger, {text, displayName()}));
    }
}

void TField::setValue(const Variant& value) {
    if (::isNull(value)) {
        clear();
        return;
    }
    switch (dataType()) {
        case TFieldType::ftString:
            if (auto* flag = std::get_if<bool>(&value)) {
                setAsBoolean(*flag);
            } else if (auto* small = std::get_if<std::uint8_t>(&value)) {
                setAsString(std::to_string(*small));
            } else if (auto* number = std::get_if<std::int32_t>(&value)) {
                setAsString(std::to_string(*number));
            } else if (auto* wide = std::get_if<std::int64_t>(&value)) {
                setAsString(std::to_string(*wide));
            } else if (auto* real = std::get_if<double>(&value)) {
                setAsString(numberText(*real));
            } else {
                setAsString(std::get<std::string>(value));
            }
            return;
        case TFieldType::ftBoolean:
            if (auto* flag = std::get_if<bool>(&value)) {
                writeInteger(*flag ? 1 : 0);
            } else if (auto* small = std::get_if<std::uint8_t>(&value)) {
                writeInteger(*small != 0 ? 1 : 0);
            } else if (auto* number = std::get_if<std::int32_t>(&value)) {
                writeInteger(*number != 0 ? 1 : 0);
            } else if (auto* wide = std::get_if<std::int64_t>(&value)) {
                writeInteger(*wide != 0 ? 1 : 0);
            } else if (auto* real = std::get_if<double>(&value)) {
                if (std::isnan(*real)) {
                    invalidValue();
                }
                writeInteger(*real != 0.0 ? 1 : 0);
            } else if (auto parsed = fieldtext::parseBoolean(std::get<std::string>(value))) {
                writeInteger(*parsed ? 1 : 0);
            } else {
                invalidValue();
            }
            return;
        case TFieldType::ftInteger:
        case TFieldType::ftUnknown:
            break;
    }
    if (auto* flag = std::get_if<bool>(&value)) {
        writeInteger(*flag ? 1 : 0);
    } else if (auto* small = std::get_if<std::uint8_t>(&value)) {
        writeInteger(*small);
    } else if (auto* number = std::get_if<std::int32_t>(&value)) {
        writeInteger(*number);
    } else if (auto* wide = std::get_if<std::int64_t>(&value)) {
        if (*wide < std::numeric_limits<std::int32_t>::min() ||
            *wide > std::numeric_limits<std::int32_t>::max()) {
            invalidValue();
        }
        writeInteger(static_cast<std::int32_t>(*wide));
    } else if (auto* real = std::get_if<double>(&value)) {
        // Rounded to the nearest integer, halves to even.
        const double rounded = std::isfinite(*real) ? std::nearbyint(*real) : 0.0;
        if (!std::isfinite(*real) || rounded < std::numeric_limits<std::int32_t>::min() ||
            rounded > std::numeric_limits<std::int32_t>::max()) {
            invalidValue();
        }
        writeInteger(static_cast<std::int32_t>(rounded));
    } else if (auto parsed = fieldtext::parseInteger(std::get<std::string>(value))) {
        writeInteger(*parsed);
    } else {
        invalidValue();
    }
}

void TField::clear() {
    writeNull();
}

TIntegerField::TIntegerField(TComponent* owner) : TField(owner) {
    setDefaultAlignment(TAlignment::taRightJustify);
}

TStringField::TStringField(TComponent* owner) : TField(owner) {}

TBooleanField::TBooleanField(TComponent* owner) : TField(owner) {}
