#include "controls/DBText.h"

#include "component/Exceptions.h"
#include "data/DataSource.h"
#include "data/FieldDataLink.h"

TDBText::TDBText(TComponent* owner) : TTextControl(owner) {}

TDBText::~TDBText() = default;

TFieldDataLink& TDBText::link() {
    if (!link_) {
        link_ = std::make_unique<TFieldDataLink>(name());
        link_->onDataChange = [this] { readField(); };
        link_->onActiveChange = [this] { readField(); };
    }
    return *link_;
}

void TDBText::readSetting(std::string_view name, const PropertyValue& value) {
    if (name == "DataField") {
        setDataField(value.text);
    } else {
        TTextControl::readSetting(name, value);
    }
}

void TDBText::readReference(std::string_view name, TComponent* target) {
    if (name != "DataSource") {
        TTextControl::readReference(name, target);
        return;
    }
    auto* source = dynamic_cast<TDataSource*>(target);
    if (!source) {
        throw EReadError(target->name() + " is no data source");
    }
    setDataSource(source);
}

void TDBText::componentFreed(TComponent* component) {
    if (link_ && component == link_->dataSource()) {
        setDataSource(nullptr);
    }
    TTextControl::componentFreed(component);
}

std::string TDBText::dataField() const {
    return link_ ? link_->fieldName() : std::string();
}

void TDBText::setDataField(std::string fieldName) {
    link().setFieldName(std::move(fieldName));
}

TDataSource* TDBText::dataSource() const {
    return link_ ? link_->dataSource() : nullptr;
}

void TDBText::setDataSource(TDataSource* source) {
    if (TDataSource* old = dataSource()) {
        removeFreeNotification(old);
    }
    link().setDataSource(source);
    if (source) {
        freeNotification(source);
    }
    readField();
}

TField* TDBText::field() const {
    return link_ ? link_->field() : nullptr;
}

void TDBText::readField() {
    TField* bound = field();
    QString text = bound ? QString::fromStdString(bound->displayText()) : QString();
    if (text != text_) {
        text_ = text;
        textChanged();
    }
}
