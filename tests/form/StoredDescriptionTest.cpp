// The description stored in the program: every component the window needs,
// in the order they are created, with the settings the window relies on.

#include <gtest/gtest.h>

#include <QString>
#include <algorithm>

#include "component/DescriptionParser.h"
#include "component/Exceptions.h"
#include "form/StoredDescription.h"
#include "tests/support/StoredPacket.h"

namespace {

using Kind = PropertyValue::Kind;

const ComponentDescription& window() {
    static const ComponentDescription parsed = parseDescription(storedDescription("TForm1"));
    return parsed;
}

const ComponentDescription& component(const std::string& name) {
    for (const ComponentDescription& top : window().children) {
        if (top.name == name) {
            return top;
        }
        for (const ComponentDescription& inside : top.children) {
            if (inside.name == name) {
                return inside;
            }
        }
    }
    throw std::runtime_error("no component " + name);
}

const PropertyValue& setting(const PropertyValue::Settings& settings, const std::string& name) {
    auto found = std::find_if(settings.begin(), settings.end(),
                              [&](const auto& entry) { return entry.first == name; });
    if (found == settings.end()) {
        throw std::runtime_error("no setting " + name);
    }
    return found->second;
}

std::vector<std::string> settingNames(const PropertyValue::Settings& settings) {
    std::vector<std::string> names;
    for (const auto& [name, value] : settings) {
        names.push_back(name);
    }
    return names;
}

TEST(StoredDescription, HoldsTheEighteenComponentsInCreationOrder) {
    EXPECT_EQ(window().name, "Form1");
    EXPECT_EQ(window().className, "TForm1");
    std::vector<std::string> order;
    for (const ComponentDescription& top : window().children) {
        order.push_back(top.name + ":" + top.className);
        for (const ComponentDescription& inside : top.children) {
            order.push_back(top.name + "/" + inside.name + ":" + inside.className);
        }
    }
    const std::vector<std::string> expected = {
        "DBText1:TDBText",
        "Label1:TLabel",
        "Label2:TLabel",
        "Label3:TLabel",
        "DBText2:TDBText",
        "Label4:TLabel",
        "DBText3:TDBText",
        "DBNavigator1:TDBNavigator",
        "DBGrid1:TDBGrid",
        "DBCheckBox1:TDBCheckBox",
        "DBCheckBox2:TDBCheckBox",
        "DBCheckBox3:TDBCheckBox",
        "ClientDataSet1:TClientDataSet",
        "ClientDataSet1/ClientDataSet1AInt:TIntegerField",
        "ClientDataSet1/ClientDataSet1AStr:TStringField",
        "ClientDataSet1/ClientDataSet1ABoolean:TBooleanField",
        "ClientDataSet1/ClientDataSet1StrShowCheck:TStringField",
        "DataSource1:TDataSource",
    };
    EXPECT_EQ(order, expected);
}

TEST(StoredDescription, WindowSettings) {
    const PropertyValue::Settings& settings = window().settings;
    EXPECT_EQ(
        settingNames(settings),
        (std::vector<std::string>{"Left", "Top", "Width", "Height", "Caption", "Color",
                                  "Font.Charset", "Font.Color", "Font.Height", "Font.Name",
                                  "Font.Style", "OldCreateOrder", "PixelsPerInch", "TextHeight"}));
    EXPECT_EQ(setting(settings, "Left").integer, 201);
    EXPECT_EQ(setting(settings, "Top").integer, 206);
    EXPECT_EQ(setting(settings, "Width").integer, 574);
    EXPECT_EQ(setting(settings, "Height").integer, 438);
    EXPECT_EQ(setting(settings, "Caption").text, "Form1");
    EXPECT_EQ(setting(settings, "Color").text, "clBtnFace");
    EXPECT_EQ(setting(settings, "Font.Height").integer, -11);
    EXPECT_EQ(setting(settings, "Font.Name").text, "MS Sans Serif");
    EXPECT_FALSE(setting(settings, "OldCreateOrder").asBool());
    EXPECT_EQ(setting(settings, "PixelsPerInch").integer, 96);
    EXPECT_EQ(setting(settings, "TextHeight").integer, 13);
}

TEST(StoredDescription, RecordSetKeepsThePacketBytesAndItsSchema) {
    const ComponentDescription& set = component("ClientDataSet1");
    EXPECT_EQ(settingNames(set.settings),
              (std::vector<std::string>{"Active", "Aggregates", "Params", "AfterInsert", "Left",
                                        "Top", "Data"}));
    EXPECT_TRUE(setting(set.settings, "Active").asBool());
    EXPECT_EQ(setting(set.settings, "AfterInsert").kind, Kind::Handler);
    EXPECT_EQ(setting(set.settings, "AfterInsert").text, "ClientDataSet1AfterInsert");
    EXPECT_EQ(setting(set.settings, "Data").bytes, storedPacket());
    EXPECT_EQ(setting(set.settings, "Left").integer, 32);
    EXPECT_EQ(setting(set.settings, "Top").integer, 48);

    EXPECT_EQ(setting(component("ClientDataSet1AStr").settings, "Size").integer, 12);
    EXPECT_EQ(setting(component("ClientDataSet1StrShowCheck").settings, "Size").integer, 2);
    EXPECT_EQ(setting(component("ClientDataSet1ABoolean").settings, "FieldName").text, "ABoolean");

    const ComponentDescription& source = component("DataSource1");
    EXPECT_EQ(setting(source.settings, "DataSet").kind, Kind::Reference);
    EXPECT_EQ(setting(source.settings, "DataSet").text, "ClientDataSet1");
    EXPECT_EQ(setting(source.settings, "Left").integer, 24);
    EXPECT_EQ(setting(source.settings, "Top").integer, 80);
}

TEST(StoredDescription, LabelOneCaptionIsUtf8) {
    const std::string& caption = setting(component("Label1").settings, "Caption").text;
    EXPECT_EQ(caption, "本程序演示用 DBGrid 来显示非Boolean类型的字段为CheckBox");
    EXPECT_EQ(caption.size(), 71u);
    EXPECT_EQ(QString::fromStdString(caption).size(), 39);
}

struct BoundControl {
    const char* name;
    int left, top, width, height;
    const char* dataField;  // empty for labels
    const char* caption;    // empty for texts
};

TEST(StoredDescription, LabelsTextsAndCheckBoxesSitWhereTheyBelong) {
    const BoundControl controls[] = {
        {"Label1", 80, 40, 333, 13, "", "本程序演示用 DBGrid 来显示非Boolean类型的字段为CheckBox"},
        {"Label2", 72, 108, 25, 13, "", "AInt="},
        {"Label3", 248, 108, 26, 13, "", "AStr="},
        {"Label4", 384, 108, 77, 13, "", "StrShowCheck="},
        {"DBText1", 112, 104, 65, 17, "AInt", ""},
        {"DBText2", 288, 104, 65, 17, "AStr", ""},
        {"DBText3", 472, 104, 65, 17, "StrShowCheck", ""},
        {"DBCheckBox1", 384, 72, 97, 17, "StrShowCheck", "StrShowCheck"},
        {"DBCheckBox2", 72, 80, 97, 17, "AInt", "AInt"},
        {"DBCheckBox3", 224, 72, 97, 17, "ABoolean", "ABoolean"},
    };
    for (const BoundControl& expected : controls) {
        SCOPED_TRACE(expected.name);
        const PropertyValue::Settings& settings = component(expected.name).settings;
        EXPECT_EQ(setting(settings, "Left").integer, expected.left);
        EXPECT_EQ(setting(settings, "Top").integer, expected.top);
        EXPECT_EQ(setting(settings, "Width").integer, expected.width);
        EXPECT_EQ(setting(settings, "Height").integer, expected.height);
        if (*expected.caption) {
            EXPECT_EQ(setting(settings, "Caption").text, expected.caption);
        }
        if (*expected.dataField) {
            EXPECT_EQ(setting(settings, "DataField").text, expected.dataField);
            EXPECT_EQ(setting(settings, "DataSource").kind, Kind::Reference);
            EXPECT_EQ(setting(settings, "DataSource").text, "DataSource1");
        }
    }
    const std::pair<const char*, std::pair<const char*, const char*>> values[] = {
        {"DBCheckBox1", {"aa", "bb"}},
        {"DBCheckBox2", {"1", "0"}},
        {"DBCheckBox3", {"True", "False"}}};
    int tabOrder = 2;
    for (const auto& [name, checkedUnchecked] : values) {
        SCOPED_TRACE(name);
        const PropertyValue::Settings& settings = component(name).settings;
        EXPECT_EQ(setting(settings, "ValueChecked").text, checkedUnchecked.first);
        EXPECT_EQ(setting(settings, "ValueUnchecked").text, checkedUnchecked.second);
        EXPECT_EQ(setting(settings, "TabOrder").integer, tabOrder++);
    }
}

TEST(StoredDescription, GridAndNavigatorSettings) {
    const PropertyValue::Settings& navigator = component("DBNavigator1").settings;
    EXPECT_EQ(settingNames(navigator), (std::vector<std::string>{"Left", "Top", "Width", "Height",
                                                                 "DataSource", "TabOrder"}));
    EXPECT_EQ(setting(navigator, "Left").integer, 136);
    EXPECT_EQ(setting(navigator, "Top").integer, 360);
    EXPECT_EQ(setting(navigator, "Width").integer, 240);
    EXPECT_EQ(setting(navigator, "Height").integer, 25);
    EXPECT_EQ(setting(navigator, "TabOrder").integer, 0);

    const PropertyValue::Settings& grid = component("DBGrid1").settings;
    EXPECT_EQ(setting(grid, "Left").integer, 64);
    EXPECT_EQ(setting(grid, "Top").integer, 152);
    EXPECT_EQ(setting(grid, "Width").integer, 433);
    EXPECT_EQ(setting(grid, "Height").integer, 193);
    EXPECT_EQ(setting(grid, "TabOrder").integer, 1);
    EXPECT_EQ(setting(grid, "DataSource").text, "DataSource1");
    EXPECT_EQ(setting(grid, "FooterColor").text, "clWindow");
    EXPECT_EQ(setting(grid, "OptionsEx").items,
              (std::vector<std::string>{"dgxFixed3D", "dgxHighlightFocus", "dgxClearSelection"}));
    for (const char* font : {"TitleFont", "FooterFont"}) {
        SCOPED_TRACE(font);
        const std::string prefix = std::string(font) + ".";
        EXPECT_EQ(setting(grid, prefix + "Name").text, "MS Sans Serif");
        EXPECT_EQ(setting(grid, prefix + "Height").integer, -11);
        EXPECT_EQ(setting(grid, prefix + "Color").text, "clWindowText");
        EXPECT_EQ(setting(grid, prefix + "Charset").text, "DEFAULT_CHARSET");
        EXPECT_TRUE(setting(grid, prefix + "Style").items.empty());
    }

    const PropertyValue& columns = setting(grid, "Columns");
    ASSERT_EQ(columns.kind, Kind::Collection);
    ASSERT_EQ(columns.collection.size(), 4u);
    struct Column {
        const char* fieldName;
        bool checkboxesStored;
        std::vector<std::string> keyList;
        int width;  // 0: not stored
    };
    const Column expected[] = {{"AInt", true, {"1", "0"}, 0},
                               {"AStr", false, {}, 0},
                               {"ABoolean", false, {}, 63},
                               {"StrShowCheck", true, {"aa", "bb"}, 65}};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(expected[i].fieldName);
        const PropertyValue::Settings& column = columns.collection[i];
        EXPECT_EQ(setting(column, "FieldName").text, expected[i].fieldName);
        auto has = [&](const char* name) {
            return std::any_of(column.begin(), column.end(),
                               [&](const auto& entry) { return entry.first == name; });
        };
        EXPECT_EQ(has("Checkboxes"), expected[i].checkboxesStored);
        if (expected[i].checkboxesStored) {
            EXPECT_TRUE(setting(column, "Checkboxes").asBool());
        }
        EXPECT_EQ(has("KeyList"), !expected[i].keyList.empty());
        if (has("KeyList")) {
            EXPECT_EQ(setting(column, "KeyList").items, expected[i].keyList);
        }
        EXPECT_EQ(has("Width"), expected[i].width != 0);
        if (has("Width")) {
            EXPECT_EQ(setting(column, "Width").integer, expected[i].width);
        }
        EXPECT_EQ(setting(column, "EditButtons").kind, Kind::Collection);
        EXPECT_TRUE(setting(column, "EditButtons").collection.empty());
        EXPECT_EQ(setting(column, "Footers").kind, Kind::Collection);
        EXPECT_TRUE(setting(column, "Footers").collection.empty());
    }
}

TEST(StoredDescription, AnotherClassHasNoDescription) {
    try {
        storedDescription("TForm2");
        FAIL() << "found a description for TForm2";
    } catch (const EResNotFound& error) {
        EXPECT_STREQ(error.what(), "Resource TForm2 not found");
    }
}

}  // namespace
