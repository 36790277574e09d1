// The description text: every kind of value, nesting and the lines it reports.

#include <gtest/gtest.h>

#include "component/DescriptionParser.h"

namespace {

using Kind = PropertyValue::Kind;

PropertyValue valueOf(const std::string& settingLines) {
    ComponentDescription root = parseDescription("component Window1 TFakeWindow\n" + settingLines);
    EXPECT_EQ(root.settings.size(), 1u);
    return root.settings.at(0).second;
}

struct InlineCase {
    const char* line;
    Kind kind;
    std::int64_t integer;
    const char* text;
    std::vector<std::string> items;
};

class InlineValue : public testing::TestWithParam<InlineCase> {};

TEST_P(InlineValue, IsReadWithItsKind) {
    const InlineCase& expected = GetParam();
    PropertyValue value = valueOf(std::string("  Setting = ") + expected.line + "\n");
    EXPECT_EQ(value.kind, expected.kind);
    EXPECT_EQ(value.integer, expected.integer);
    EXPECT_EQ(value.text, expected.text);
    EXPECT_EQ(value.items, expected.items);
    EXPECT_EQ(value.line, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Table, InlineValue,
    testing::Values(
        InlineCase{"201", Kind::Integer, 201, "", {}},
        InlineCase{"-11", Kind::Integer, -11, "", {}}, InlineCase{"+7", Kind::Integer, 7, "", {}},
        InlineCase{"-9223372036854775808", Kind::Integer, INT64_MIN, "", {}},
        InlineCase{"\"Form1\"", Kind::String, 0, "Form1", {}},
        InlineCase{"\"\"", Kind::String, 0, "", {}},
        InlineCase{R"("a \"quoted\" \\ back\tslash\n")",
                   Kind::String,
                   0,
                   "a \"quoted\" \\ back\tslash\n",
                   {}},
        InlineCase{R"("\x41\xe6\x9c\xac")", Kind::String, 0, "A\xe6\x9c\xac", {}},
        InlineCase{"\"本程序 # not a comment\"", Kind::String, 0, "本程序 # not a comment", {}},
        InlineCase{"clBtnFace", Kind::Identifier, 0, "clBtnFace", {}},
        InlineCase{"True", Kind::Identifier, 0, "True", {}}, InlineCase{"[]", Kind::Set, 0, "", {}},
        InlineCase{"[ dgxFixed3D,dgxHighlightFocus ,  dgxClearSelection ]",
                   Kind::Set,
                   0,
                   "",
                   {"dgxFixed3D", "dgxHighlightFocus", "dgxClearSelection"}},
        InlineCase{"@DataSource1", Kind::Reference, 0, "DataSource1", {}},
        InlineCase{
            "ClientDataSet1AfterInsert()", Kind::Handler, 0, "ClientDataSet1AfterInsert", {}},
        InlineCase{"lines", Kind::StringList, 0, "", {}}));

TEST(DescriptionParser, ReadsBlocksNestingAndLineNumbers) {
    ComponentDescription root = parseDescription(
        "# a window\r\n"
        "component Form1 TForm1\r\n"
        "  Font.Height = -11\r\n"
        "\r\n"
        "  component Grid1 TGrid\n"
        "    Columns = items\n"
        "      item\n"
        "        FieldName = \"AInt\"\n"
        "        KeyList = lines\n"
        "          \"1\"\n"
        "          # a comment between entries\n"
        "          \"0\"\n"
        "        EditButtons = items\n"
        "      item\n"
        "    TabOrder = 1\n"
        "  component Set1 TSet\n"
        "    Data = hex\n"
        "      72 00 00 00\n"
        "      96 19e0BD\n"
        "    component Set1A TField\n"
        "      Size = 12\n");
    EXPECT_EQ(root.name, "Form1");
    EXPECT_EQ(root.className, "TForm1");
    EXPECT_EQ(root.line, 2);
    ASSERT_EQ(root.settings.size(), 1u);
    EXPECT_EQ(root.settings[0].first, "Font.Height");
    ASSERT_EQ(root.children.size(), 2u);

    const ComponentDescription& grid = root.children[0];
    EXPECT_EQ(grid.line, 5);
    ASSERT_EQ(grid.settings.size(), 2u);
    const PropertyValue& columns = grid.settings[0].second;
    EXPECT_EQ(columns.kind, Kind::Collection);
    ASSERT_EQ(columns.collection.size(), 2u);
    const PropertyValue::Settings& first = columns.collection[0];
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].first, "FieldName");
    EXPECT_EQ(first[1].second.kind, Kind::StringList);
    EXPECT_EQ(first[1].second.items, (std::vector<std::string>{"1", "0"}));
    EXPECT_EQ(first[2].second.kind, Kind::Collection);
    EXPECT_TRUE(first[2].second.collection.empty());
    EXPECT_TRUE(columns.collection[1].empty());
    EXPECT_EQ(grid.settings[1].first, "TabOrder");
    EXPECT_EQ(grid.settings[1].second.line, 15);

    const ComponentDescription& set = root.children[1];
    EXPECT_EQ(set.settings[0].second.bytes,
              (std::vector<std::uint8_t>{0x72, 0, 0, 0, 0x96, 0x19, 0xE0, 0xBD}));
    ASSERT_EQ(set.children.size(), 1u);
    EXPECT_EQ(set.children[0].name, "Set1A");
    EXPECT_EQ(set.children[0].settings[0].second.line, 21);
}

}  // namespace
