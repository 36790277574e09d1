// The record set, its fields and the data source built from stored settings,
// as the description reader hands them over.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "component/Exceptions.h"
#include "data/DataSource.h"
#include "tests/support/StoredPacket.h"

namespace {

PropertyValue identifier(std::string text) {
    PropertyValue value;
    value.kind = PropertyValue::Kind::Identifier;
    value.text = std::move(text);
    return value;
}
PropertyValue string(std::string text) {
    PropertyValue value;
    value.kind = PropertyValue::Kind::String;
    value.text = std::move(text);
    return value;
}
PropertyValue integer(std::int64_t number) {
    PropertyValue value;
    value.kind = PropertyValue::Kind::Integer;
    value.integer = number;
    return value;
}
PropertyValue binary(std::vector<std::uint8_t> bytes) {
    PropertyValue value;
    value.kind = PropertyValue::Kind::Binary;
    value.bytes = std::move(bytes);
    return value;
}
PropertyValue emptyCollection() {
    PropertyValue value;
    value.kind = PropertyValue::Kind::Collection;
    return value;
}

struct Root : TComponent {
    const char* className() const override { return "TTestRoot"; }
};

// Builds the window's record set and data source the way the reader does:
// components in stored order, settings while loading, then the after-load pass.
struct LoadedSet {
    Root root;
    TClientDataSet* dataSet = new TClientDataSet(&root);
    std::vector<TField*> fields;
    TDataSource* source = nullptr;
    std::vector<TComponent*> afterInsertSenders;

    LoadedSet() {
        dataSet->setName("ClientDataSet1");
        dataSet->beginLoading();
        dataSet->readSetting("Active", identifier("True"));
        dataSet->readHandler("AfterInsert", [this](TComponent* sender) {
            afterInsertSenders.push_back(sender);
            static_cast<TDataSet*>(sender)->fields()[0]->setValue(std::uint8_t{1});
        });
        dataSet->readSetting("Aggregates", emptyCollection());
        dataSet->readSetting("Params", emptyCollection());
        dataSet->readSetting("Data", binary(storedPacket()));
        addField(new TIntegerField(&root), "ClientDataSet1AInt", "AInt", 0);
        addField(new TStringField(&root), "ClientDataSet1AStr", "AStr", 12);
        addField(new TBooleanField(&root), "ClientDataSet1ABoolean", "ABoolean", 0);
        addField(new TStringField(&root), "ClientDataSet1StrShowCheck", "StrShowCheck", 2);
        source = new TDataSource(&root);
        source->setName("DataSource1");
        source->beginLoading();
        source->readReference("DataSet", dataSet);
    }
    void addField(TField* field, const char* name, const char* fieldName, int size) {
        field->setName(name);
        field->beginLoading();
        field->readSetting("FieldName", string(fieldName));
        if (size > 0) {
            field->readSetting("Size", integer(size));
        }
        field->setParentComponent(dataSet);
        fields.push_back(field);
    }
    void afterLoad() {
        for (TComponent* component : root.components()) {
            component->loaded();
        }
    }
};

TEST(Settings, TheRecordSetOpensInTheAfterLoadPass) {
    LoadedSet loaded;
    EXPECT_FALSE(loaded.dataSet->active());
    EXPECT_EQ(loaded.dataSet->fields(), loaded.fields);
    EXPECT_EQ(loaded.source->dataSet(), loaded.dataSet);
    loaded.afterLoad();
    EXPECT_EQ(loaded.dataSet->state(), TDataSetState::dsBrowse);
    EXPECT_EQ(loaded.source->state(), TDataSetState::dsBrowse);
    EXPECT_EQ(loaded.fields[3]->size(), 2);

    loaded.dataSet->insert();
    EXPECT_EQ(loaded.afterInsertSenders, std::vector<TComponent*>{loaded.dataSet});
    EXPECT_EQ(loaded.fields[0]->asInteger(), 1);
    EXPECT_TRUE(loaded.dataSet->modified());
}

TEST(Settings, ActiveOutsideLoadingOpensAtOnce) {
    LoadedSet loaded;
    loaded.afterLoad();
    loaded.dataSet->readSetting("Active", identifier("False"));
    EXPECT_FALSE(loaded.dataSet->active());
    loaded.dataSet->readSetting("Active", identifier("True"));
    EXPECT_TRUE(loaded.dataSet->active());
}

TEST(Settings, DataSourceSettings) {
    LoadedSet loaded;
    loaded.source->readSetting("AutoEdit", identifier("False"));
    loaded.source->readSetting("Enabled", identifier("False"));
    EXPECT_FALSE(loaded.source->autoEdit());
    EXPECT_FALSE(loaded.source->enabled());
    loaded.source->readReference("DataSet", nullptr);
    EXPECT_EQ(loaded.source->dataSet(), nullptr);
    EXPECT_THROW(loaded.source->readReference("DataSet", loaded.fields[0]), EReadError);
}

TEST(Settings, FieldSettings) {
    Root root;
    auto* field = new TIntegerField(&root);
    field->readSetting("FieldName", string("AInt"));
    field->readSetting("DisplayLabel", string("Number"));
    field->readSetting("DisplayWidth", integer(7));
    field->readSetting("Alignment", identifier("taCenter"));
    field->readSetting("ReadOnly", identifier("True"));
    field->readSetting("Required", identifier("True"));
    field->readSetting("Visible", identifier("False"));
    EXPECT_EQ(field->fieldName(), "AInt");
    EXPECT_EQ(field->displayName(), "Number");
    EXPECT_EQ(field->displayWidth(), 7);
    EXPECT_EQ(field->alignment(), TAlignment::taCenter);
    EXPECT_TRUE(field->readOnly());
    EXPECT_TRUE(field->required());
    EXPECT_FALSE(field->visible());
    EXPECT_THROW(field->readSetting("Size", integer(4)), EReadError);
    EXPECT_THROW(field->readSetting("Alignment", identifier("taNowhere")), EReadError);
    EXPECT_THROW(field->readSetting("ReadOnly", identifier("Maybe")), EReadError);
}

TEST(Settings, UnknownSettingsAndHandlersAreRefused) {
    Root root;
    auto* dataSet = new TClientDataSet(&root);
    auto* source = new TDataSource(&root);
    EXPECT_THROW(dataSet->readSetting("FileName", string("x.cds")), EReadError);
    EXPECT_THROW(dataSet->readHandler("OnCalcFields", [](TComponent*) {}), EReadError);
    EXPECT_THROW(source->readSetting("DataSet", string("ClientDataSet1")), EReadError);
    EXPECT_THROW(source->readReference("MasterSource", dataSet), EReadError);
}

}  // namespace
