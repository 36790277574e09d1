// The description reader: the order in which components are created, set,
// resolved and loaded, and the errors of descriptions that cannot be read.

#include <gtest/gtest.h>

#include "component/DescriptionParser.h"
#include "component/DescriptionReader.h"
#include "tests/component/FakeComponents.h"

namespace {

void read(FakeWindow& window, const ComponentRegistry& classes, std::string_view text) {
    readDescription(window, parseDescription(text), classes);
}

TEST(DescriptionReader, CreatesSetsResolvesAndLoadsInStoredOrder) {
    Log log;
    ComponentRegistry classes = fakeClasses(log);
    FakeWindow window(log);
    log.clear();
    read(window, classes, R"(component Window1 TFakeWindow
  Caption = "Window1"
  Width = 574
  component Text1 TFakeControl
    Left = 112
    Source = @Source1
  component Set1 TFakeSet
    Active = True
    AfterInsert = Handled()
    Data = hex
      01 02
    component Set1A TFakeField
      FieldName = "A"
    component Set1B TFakeField
      FieldName = "B"
  component Source1 TFakeSource
    DataSet = @Set1
  component Grid1 TFakeControl
    Source = @Source1
    Owner = @Window1
)");
    const Log expected = {
        "Window1.Caption = \"Window1\"",
        "Window1.Width = 574",
        "create TFakeControl",
        "bind Text1 (TFakeControl)",
        "Text1 inside Window1",
        "Text1.Left = 112",
        "create TFakeSet",
        "bind Set1 (TFakeSet)",
        "Set1 inside Window1",
        "Set1.Active = True",
        "Set1.AfterInsert handled",
        "Handled(Set1)",
        "Set1.Data = 2 bytes",
        "create TFakeField",
        "bind Set1A (TFakeField)",
        "Set1A inside Set1",
        "Set1A.FieldName = \"A\"",
        "create TFakeField",
        "bind Set1B (TFakeField)",
        "Set1B inside Set1",
        "Set1B.FieldName = \"B\"",
        "create TFakeSource",
        "bind Source1 (TFakeSource)",
        "Source1 inside Window1",
        "Source1.DataSet -> Set1",  // exists already: resolved at once
        "create TFakeControl",
        "bind Grid1 (TFakeControl)",
        "Grid1 inside Window1",
        "Grid1.Source -> Source1",
        "Grid1.Owner -> Window1",
        "Text1.Source -> Source1",  // stored before Source1: resolved after the whole read
        "loaded Window1",
        "loaded Text1",
        "loaded Set1A",
        "loaded Set1B",
        "loaded Set1",
        "loaded Source1",
        "loaded Grid1",
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(window.name(), "Window1");
    ASSERT_EQ(window.components().size(), 6u);
    EXPECT_EQ(window.findComponent("Set1B")->owner(), &window);
    for (TComponent* component : window.components()) {
        EXPECT_FALSE(component->isLoading()) << component->name();
    }
}

TEST(DescriptionReader, ComponentsCreatedBeforeAnErrorAreFreedWithTheRoot) {
    Log log;
    ComponentRegistry classes = fakeClasses(log);
    {
        FakeWindow window(log);
        EXPECT_THROW(read(window, classes, R"(component Window1 TFakeWindow
  component Text1 TFakeControl
  component Set1 TFakeSet
    Data = 7
  component Broken1 TNoSuchClass
  component Never1 TFakeControl
)"),
                     EReadError);
        EXPECT_EQ(window.components().size(), 2u);
        log.clear();
    }
    EXPECT_EQ(log, (Log{"free Window1", "free Set1", "free Text1"}));
}

struct Malformed {
    const char* what;
    const char* text;
    const char* message;
};

class MalformedDescription : public testing::TestWithParam<Malformed> {};

TEST_P(MalformedDescription, FailsNamingTheLine) {
    Log log;
    ComponentRegistry classes = fakeClasses(log);
    FakeWindow window(log);
    try {
        read(window, classes, GetParam().text);
        FAIL() << "read without error";
    } catch (const EReadError& error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
}

const Malformed malformedDescriptions[] = {
    {"empty", "\n# only a comment\n",
     "Line 1: the description is empty: a component header expected"},
    {"setting first", "Caption = \"x\"\n",
     "Line 1: a component header expected: component Name Class"},
    {"header without class", "component Window1\n",
     "Line 1: a component header needs a name and a class: component Name Class"},
    {"header with a bad name", "component 1Window TFakeWindow\n",
     "Line 1: a component header needs a name and a class: component Name Class"},
    {"root indented", "\n  component Window1 TFakeWindow\n", "Line 2: unexpected indentation"},
    {"two roots", "component Window1 TFakeWindow\ncomponent Window2 TFakeWindow\n",
     "Line 2: only one component may stand at the top; indent the others below Window1"},
    {"tab indentation", "component Window1 TFakeWindow\n\tCaption = \"x\"\n",
     "Line 2: indent with blanks, not tabs"},
    {"odd indentation", "component Window1 TFakeWindow\n   Caption = \"x\"\n",
     "Line 2: indentation must be a multiple of two blanks"},
    {"indentation jump", "component Window1 TFakeWindow\n    Caption = \"x\"\n",
     "Line 2: unexpected indentation"},
    {"value below a plain setting", "component Window1 TFakeWindow\n  Width = 5\n    6\n",
     "Line 3: unexpected indentation"},
    {"setting after a nested component",
     "component Window1 TFakeWindow\n  component Set1 TFakeSet\n    component F TFakeField\n    "
     "Active = True\n",
     "Line 4: settings of Set1 must come before the components stored inside it"},
    {"no equals sign", "component Window1 TFakeWindow\n  Caption \"x\"\n",
     "Line 2: a setting expected: Name = value"},
    {"bad setting name", "component Window1 TFakeWindow\n  Font..Height = 1\n",
     "Line 2: invalid setting name: Font..Height"},
    {"missing value", "component Window1 TFakeWindow\n  Caption =\n",
     "Line 2: value missing after ="},
    {"string not closed", "component Window1 TFakeWindow\n  Caption = \"Form1\n",
     "Line 2: string not closed: a \" is missing at its end"},
    {"unknown escape", "component Window1 TFakeWindow\n  Caption = \"a\\qb\"\n",
     "Line 2: unknown escape \\q in a string"},
    {"short hex escape", "component Window1 TFakeWindow\n  Caption = \"\\x4\"\n",
     "Line 2: \\x in a string needs two hex digits"},
    {"text after a value", "component Window1 TFakeWindow\n  Width = 574 px\n",
     "Line 2: unexpected text after the value: px"},
    {"number too large", "component Window1 TFakeWindow\n  Width = 99999999999999999999\n",
     "Line 2: number out of range: 99999999999999999999"},
    {"sign alone", "component Window1 TFakeWindow\n  Width = -\n",
     "Line 2: digits expected after the sign"},
    {"set not closed", "component Window1 TFakeWindow\n  Style = [fsBold, fsItalic\n",
     "Line 2: set not closed: a ] is missing"},
    {"set without commas", "component Window1 TFakeWindow\n  Style = [fsBold fsItalic]\n",
     "Line 2: a , or ] expected in the set, found f"},
    {"reference without name", "component Window1 TFakeWindow\n  Source = @\n",
     "Line 2: a component name after @ expected"},
    {"odd hex digits", "component Window1 TFakeWindow\n  Data = hex\n    72 00 0\n",
     "Line 3: bytes are written as pairs of hex digits: 0"},
    {"not hex", "component Window1 TFakeWindow\n  Data = hex\n    72 0G\n",
     "Line 3: bytes are written as pairs of hex digits: 0G"},
    {"line that is no string", "component Window1 TFakeWindow\n  KeyList = lines\n    1\n",
     "Line 3: a string in double quotes expected in a list of lines"},
    {"collection without item",
     "component Window1 TFakeWindow\n  Columns = items\n    FieldName = \"A\"\n",
     "Line 3: item expected in a collection"},
    {"item setting too deep",
     "component Window1 TFakeWindow\n  Columns = items\n    item\n        Width = 1\n",
     "Line 4: unexpected indentation"},
    {"another root class", "component Window1 TFakeDialog\n",
     "Line 1: the description is for TFakeDialog, not TFakeWindow"},
    {"unknown class", "component Window1 TFakeWindow\n\n  component Grid1 TNoSuchGrid\n",
     "Line 3: class TNoSuchGrid is not registered"},
    {"duplicate name",
     "component Window1 TFakeWindow\n  component A TFakeControl\n  component A TFakeControl\n",
     "Line 3: a component named A exists already"},
    {"unknown reference",
     "component Window1 TFakeWindow\n  component A TFakeControl\n    Source = @Nowhere\n",
     "Line 3: no component named Nowhere"},
    {"unknown method",
     "component Window1 TFakeWindow\n  component A TFakeSet\n    AfterInsert = Missing()\n",
     "Line 3: Window1 has no method Missing"},
    {"unknown setting",
     "component Window1 TFakeWindow\n  component A TFakeControl\n    Unknown = 1\n",
     "Line 3: Property A.Unknown does not exist"},
    {"unknown reference setting",
     "component Window1 TFakeWindow\n  component A TFakeControl\n    Unknown = @Window1\n",
     "Line 3: Property A.Unknown does not exist"},
    {"field of another class",
     "component Window1 TFakeWindow\n  component Unbindable TFakeControl\n",
     "Line 2: field Unbindable has another class"},
    // The header keyword is no setting name, however the line is spaced.
    {"header keyword as a setting", "component Window1 TFakeWindow\n  component= 5\n",
     "Line 2: component begins a component header, not a setting"},
    {"header keyword with an equals sign", "component Window1 TFakeWindow\n  component = 5\n",
     "Line 2: a component header needs a name and a class: component Name Class"},
    {"header keyword as an item setting",
     "component Window1 TFakeWindow\n  Columns = items\n    item\n      component= 5\n",
     "Line 4: component begins a component header, not a setting"},
};

INSTANTIATE_TEST_SUITE_P(Table, MalformedDescription, testing::ValuesIn(malformedDescriptions),
                         [](const testing::TestParamInfo<Malformed>& info) {
                             std::string name = info.param.what;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) {
                                     c = '_';
                                 }
                             }
                             return name;
                         });

}  // namespace
