// The grid's stored settings: what the window stores is accepted, what the
// grid cannot honour is rejected with the line, and without stored columns
// the grid shows one column per field.

#include "component/Exceptions.h"
#include "tests/controls/grid_fixture.h"

namespace gridtest {
namespace {

PropertyValue font(const std::string& part) {
    if (part == "Name") {
        return text("MS Sans Serif");
    }
    if (part == "Height") {
        return number(-11);
    }
    if (part == "Style") {
        return flags({});
    }
    return identifier(part == "Color" ? "clWindowText" : "DEFAULT_CHARSET");
}

TEST(GridSettings, TheWindowsStoredSettingsAreAccepted) {
    WindowRecordSet data;
    TDBGrid grid;
    grid.setName("DBGrid1");
    grid.readSetting("Left", number(64));
    grid.readSetting("Top", number(152));
    grid.readSetting("Width", number(433));
    grid.readSetting("Height", number(193));
    grid.readReference("DataSource", data.source);
    grid.readSetting("FooterColor", identifier("clWindow"));
    for (const char* part : {"Charset", "Color", "Height", "Name", "Style"}) {
        grid.readSetting(std::string("FooterFont.") + part, font(part));
        grid.readSetting(std::string("TitleFont.") + part, font(part));
    }
    grid.readSetting("OptionsEx", flags({"dgxFixed3D", "dgxHighlightFocus", "dgxClearSelection"}));
    grid.readSetting("TabOrder", number(1));
    std::vector<PropertyValue::Settings> columns;
    for (const StoredColumn& stored : windowColumns()) {
        columns.push_back(columnSettings(stored));
    }
    grid.readSetting("Columns", collection(columns));

    EXPECT_EQ(grid.tabOrder(), 1);
    EXPECT_EQ(grid.storedBounds(), QRect(64, 152, 433, 193));
    EXPECT_EQ(grid.dataSource(), data.source);
    EXPECT_TRUE(grid.optionsEx().fixed3D);
    EXPECT_TRUE(grid.optionsEx().highlightFocus);
    EXPECT_EQ(grid.titleFont().pixelSize(), 11);
    ASSERT_EQ(grid.columnCount(), 4);
    EXPECT_TRUE(grid.column(kAInt).isCheckBoxColumn());
    EXPECT_FALSE(grid.column(kAStr).isCheckBoxColumn());
    EXPECT_TRUE(grid.column(kABoolean).isCheckBoxColumn()) << "its field is Boolean";
    EXPECT_TRUE(grid.column(kStrShowCheck).isCheckBoxColumn());
    EXPECT_EQ(grid.column(kStrShowCheck).keyList(), (std::vector<std::string>{"aa", "bb"}));
    EXPECT_EQ(grid.column(kABoolean).widthSetting(), 63);
}

struct Rejected {
    const char* name;
    std::string setting;
    PropertyValue value;
};

class GridSettingsRejected : public testing::TestWithParam<Rejected> {};

// As the reader does, every stored value (nested ones too) knows its line.
void setLine(PropertyValue& value, int line) {
    value.line = line;
    for (PropertyValue::Settings& item : value.collection) {
        for (auto& [name, nested] : item) {
            setLine(nested, line);
        }
    }
}

TEST_P(GridSettingsRejected, WithAnErrorNamingTheLine) {
    TDBGrid grid;
    PropertyValue value = GetParam().value;
    setLine(value, 42);
    try {
        grid.readSetting(GetParam().setting, value);
        FAIL() << "accepted";
    } catch (const EReadError& error) {
        EXPECT_NE(error.message().find("42"), std::string::npos) << error.message();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, GridSettingsRejected,
    testing::Values(
        Rejected{"UnknownOption", "Options", flags({"dgEditing", "dgRowSelect"})},
        Rejected{"UnknownOptionEx", "OptionsEx", flags({"dgxAutoSort"})},
        Rejected{"UnknownColumnSetting", "Columns",
                 collection({{{"FieldName", text("AInt")}, {"Bogus", number(1)}}})},
        Rejected{
            "EditButtons", "Columns",
            collection({{{"EditButtons", collection({{{"Style", identifier("ebsEllipsis")}}})}}})},
        Rejected{"FooterRows", "FooterRowCount", number(1)},
        Rejected{"UnknownSetting", "Bogus", number(1)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridSettings, WithoutStoredColumnsOneColumnPerField) {
    WindowRecordSet data;
    TDBGrid grid;
    grid.setDataSource(data.source);
    ASSERT_EQ(grid.columnCount(), 4);
    EXPECT_EQ(grid.columnTitle(3), QStringLiteral("StrShowCheck"));
    EXPECT_TRUE(grid.column(kABoolean).isCheckBoxColumn());
    EXPECT_FALSE(grid.column(kAInt).isCheckBoxColumn());
    data.dataSet->close();
    EXPECT_EQ(grid.columnCount(), 0);
}

TEST(GridSettings, AFreedDataSourceIsDropped) {
    auto data = std::make_unique<WindowRecordSet>();
    TDBGrid grid;
    grid.readReference("DataSource", data->source);
    data.reset();
    EXPECT_EQ(grid.dataSource(), nullptr);
    EXPECT_EQ(grid.shownRowCount(), 0);
}

}  // namespace
}  // namespace gridtest
