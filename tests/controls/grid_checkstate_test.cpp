// The state a check-box cell shows for a field value and a column's key
// lines, and the value one click writes, as one table.

#include "tests/controls/grid_fixture.h"

namespace gridtest {
namespace {

struct CheckStateCase {
    const char* name;
    StoredColumn column;
    std::optional<std::string> value;  // written by the field's text conversion; nullopt: null
    std::string shown;                 // "checked", "clear", "grey" or "no box"
    std::string afterClick;            // the field's text after one click
};

const StoredColumn kAIntKeys{"AInt", true, {"1", "0"}, std::nullopt};
const StoredColumn kStrKeys{"StrShowCheck", true, {"aa", "bb"}, 65};
const StoredColumn kBoolean{"ABoolean", std::nullopt, {}, 63};

class CheckStateTable : public GridFixture, public testing::WithParamInterface<CheckStateCase> {
protected:
    CheckStateTable() : GridFixture({GetParam().column}) {}

    TField* field() { return set().findField(GetParam().column.fieldName); }
};

TEST_P(CheckStateTable, ShowsTheStateAndAClickWritesTheOtherKey) {
    const CheckStateCase& c = GetParam();
    set().append();
    c.value ? field()->setAsString(*c.value) : field()->clear();
    set().post();
    ASSERT_EQ(field()->isNull(), !c.value.has_value());

    EXPECT_EQ(shownState(0, 0), c.shown);
    click(0, 0);
    EXPECT_EQ(field()->asString(), c.afterClick);
    EXPECT_TRUE(dialogs.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Values, CheckStateTable,
    testing::Values(
        // AInt: "1" ticked, "0" clear, anything else grey.
        CheckStateCase{"AIntOne", kAIntKeys, "1", "checked", "0"},
        CheckStateCase{"AIntZero", kAIntKeys, "0", "clear", "1"},
        CheckStateCase{"AIntTwo", kAIntKeys, "2", "grey", "1"},
        CheckStateCase{"AIntMinusOne", kAIntKeys, "-1", "grey", "1"},
        CheckStateCase{"AIntNull", kAIntKeys, std::nullopt, "grey", "1"},
        // StrShowCheck: matched ignoring case over the whole text.
        CheckStateCase{"StrLowerTicked", kStrKeys, "aa", "checked", "bb"},
        CheckStateCase{"StrUpperTicked", kStrKeys, "AA", "checked", "bb"},
        CheckStateCase{"StrMixedTicked", kStrKeys, "aA", "checked", "bb"},
        CheckStateCase{"StrLowerClear", kStrKeys, "bb", "clear", "aa"},
        CheckStateCase{"StrUpperClear", kStrKeys, "BB", "clear", "aa"},
        CheckStateCase{"StrNeither", kStrKeys, "ab", "grey", "aa"},
        CheckStateCase{"StrShort", kStrKeys, "a", "grey", "aa"},
        CheckStateCase{"StrLeadingBlank", kStrKeys, " a", "grey", "aa"},
        CheckStateCase{"StrNull", kStrKeys, std::nullopt, "grey", "aa"},
        // ABoolean: its value; no key lines needed.
        CheckStateCase{"BooleanTrue", kBoolean, "True", "checked", "False"},
        CheckStateCase{"BooleanFalse", kBoolean, "False", "clear", "True"},
        CheckStateCase{"BooleanNull", kBoolean, std::nullopt, "grey", "True"},
        // One key line: everything that does not match it is grey, and
        // clearing writes the empty text.
        CheckStateCase{"OneLineTicked", {"StrShowCheck", true, {"aa"}, 65}, "aa", "checked", ""},
        CheckStateCase{"OneLineOther", {"StrShowCheck", true, {"aa"}, 65}, "bb", "grey", "aa"},
        // No key lines: every value grey; ticking writes the empty text (null).
        CheckStateCase{"NoLines", {"AInt", true, {}, std::nullopt}, "1", "grey", ""},
        // Alternatives, trimmed; a write uses the first one.
        CheckStateCase{"AlternativeTicked",
                       {"StrShowCheck", true, {"aa; AA ;x", "bb;y"}, 65},
                       "x",
                       "checked",
                       "bb"},
        CheckStateCase{"AlternativeClear",
                       {"StrShowCheck", true, {"aa; AA ;x", "bb;y"}, 65},
                       "Y",
                       "clear",
                       "aa"},
        // A text that matches both lines is ticked (line 0 first).
        CheckStateCase{
            "BothLines", {"StrShowCheck", true, {"aa", "aa;bb"}, 65}, "aa", "checked", "aa"},
        // Checkboxes stored off: a text column even for a Boolean field.
        CheckStateCase{"CheckboxesOff", {"ABoolean", false, {}, 63}, "True", "no box", "True"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace gridtest
