#pragma once
// TDBText: shows the display text of one field of the current record, read
// again at every data change that concerns the field; empty while the field
// is null or the record set is Inactive. Its bounds stay as stored and clip
// the text; an "&" in the text is shown as itself.

#include <memory>
#include <string>

#include "controls/TextControl.h"

class TDataSource;
class TField;
class TFieldDataLink;

class TDBText : public TTextControl {
    Q_OBJECT
public:
    explicit TDBText(TComponent* owner = nullptr);
    ~TDBText() override;
    const char* className() const override { return "TDBText"; }

    // DataField plus the control's own settings; DataSource as a reference.
    void readSetting(std::string_view name, const PropertyValue& value) override;
    void readReference(std::string_view name, TComponent* target) override;
    void componentFreed(TComponent* component) override;

    std::string dataField() const;
    void setDataField(std::string fieldName);
    TDataSource* dataSource() const;
    void setDataSource(TDataSource* source);
    // The bound field; nullptr while the record set is Inactive.
    TField* field() const;

    QString shownText() const override { return text_; }

private:
    TFieldDataLink& link();
    void readField();

    // Made on first use, so that its binding errors carry the control's name.
    std::unique_ptr<TFieldDataLink> link_;
    QString text_;
};
