#pragma once
// Field objects: the typed view of one column of a record set. A field reads
// and writes the record set's active record (normally the current record; see
// TDataSet::RowScope for reading other rows of the record window).

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "component/Component.h"
#include "data/EngineApi.h"
#include "data/Variant.h"

class TDataSet;

enum class TFieldType { ftUnknown, ftString, ftInteger, ftBoolean };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TField : public TComponent {
public:
    explicit TField(TComponent* owner = nullptr);
    // Leaves its record set's field list.
    ~TField() override;

    // Settings: FieldName, Size (string fields), DisplayLabel, DisplayWidth,
    // ReadOnly, Required, Alignment; fields join their record set through
    // setParentComponent (the description stores them inside the record set).
    void readSetting(std::string_view name, const PropertyValue& value) override;
    void setParentComponent(TComponent* parent) override;

    TDataSet* dataSet() const { return dataSet_; }
    void setDataSet(TDataSet* dataSet);
    // Position in the record set's field list.
    int index() const;

    const std::string& fieldName() const { return fieldName_; }
    void setFieldName(std::string name) { fieldName_ = std::move(name); }
    virtual TFieldType dataType() const = 0;
    // Maximum length in bytes for string fields; 0 for the others.
    virtual int size() const { return 0; }
    // Display width in characters (an integer field 10, a string field its size,
    // a Boolean field the longer of "True" and "False"), unless set.
    int displayWidth() const;
    void setDisplayWidth(int width) { displayWidth_ = width; }
    std::string displayName() const;  // DisplayLabel, else the field name
    void setDisplayLabel(std::string label) { displayLabel_ = std::move(label); }
    bool visible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }
    TAlignment alignment() const { return alignment_; }
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool required() const { return required_; }
    void setRequired(bool required) { required_ = required; }
    // The engine column bound at open; -1 while unbound.
    int fieldNo() const { return fieldNo_; }
    // Active record set that can be modified, and the field not read-only.
    bool canModify() const;

    // Reading: every field reads null in Browse on an empty set and while Inactive.
    bool isNull() const;
    virtual std::int32_t asInteger() const;
    virtual bool asBoolean() const;
    // Edit text; the display text coincides with it in this program.
    virtual std::string asString() const;
    std::string text() const { return asString(); }
    std::string displayText() const { return asString(); }
    virtual Variant value() const;

    // Writing requires Edit or Insert ("Dataset not in edit or insert mode",
    // with the record set's prefix) and a modifiable field ("Field '%s' cannot
    // be modified"). Each write sends the field change notification and sets
    // the record set's modified flag.
    virtual void setAsInteger(std::int32_t value);
    virtual void setAsBoolean(bool value);
    // The field's own text conversion; empty text makes integer and Boolean
    // fields null.
    virtual void setAsString(std::string_view text);
    void setText(std::string_view text) { setAsString(text); }
    // Null clears the field; other values convert to the field's type or fail
    // with "Invalid value for field '%s'".
    virtual void setValue(const Variant& value);
    void clear();

protected:
    int defaultDisplayWidth() const;
    void setDefaultAlignment(TAlignment alignment) { alignment_ = alignment; }

private:
    friend class TDataSet;
    const dsengine::FieldValue* currentValue() const;
    void writeInteger(std::int32_t value);
    void writeBytes(std::string_view bytes);
    void writeNull();
    [[noreturn]] void invalidValue() const;

    TDataSet* dataSet_ = nullptr;
    std::string fieldName_;
    std::string displayLabel_;
    int displayWidth_ = 0;  // 0: not set
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool readOnly_ = false;
    bool required_ = false;
    bool visible_ = true;
    int fieldNo_ = -1;  // engine column bound at open; -1 while unbound
};

class TIntegerField : public TField {
public:
    explicit TIntegerField(TComponent* owner = nullptr);
    const char* className() const override { return "TIntegerField"; }
    TFieldType dataType() const override { return TFieldType::ftInteger; }
};

class TStringField : public TField {
public:
    explicit TStringField(TComponent* owner = nullptr);
    const char* className() const override { return "TStringField"; }
    TFieldType dataType() const override { return TFieldType::ftString; }
    int size() const override { return size_; }
    void setSize(int size) { size_ = size; }

private:
    int size_ = 20;
};

class TBooleanField : public TField {
public:
    explicit TBooleanField(TComponent* owner = nullptr);
    const char* className() const override { return "TBooleanField"; }
    TFieldType dataType() const override { return TFieldType::ftBoolean; }
};
