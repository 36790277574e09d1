// Field texts and conversions, read through and written into the window's
// record set: the integer, Boolean and string rules, generic values, errors
// and what a failed write leaves behind.

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

#include "data/DBErrors.h"
#include "tests/support/WindowRecordSet.h"

namespace {

// Runs `write` and returns the message of the EDatabaseError it throws, or
// "(no error)".
template <typename Write>
std::string errorOf(Write write) {
    try {
        write();
    } catch (const EDatabaseError& error) {
        return error.what();
    }
    return "(no error)";
}

class FieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        set.dataSet->insert();  // AInt = 1 from the after-insert handler
    }
    WindowRecordSet set;
};

struct IntegerCase {
    const char* text;
    std::optional<std::int32_t> value;  // nullopt: the text is refused
};

TEST_F(FieldTest, IntegerTextsConvertOrFailLeavingTheValue) {
    const IntegerCase cases[] = {
        {"12", 12},
        {" 12", 12},
        {"   -7", -7},
        {"+5", 5},
        {"-0", 0},
        {"00012", 12},
        {"2147483647", std::numeric_limits<std::int32_t>::max()},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"-0x10", -16},
        {"0X1f", 31},
        {"x1F", 31},
        {"X7fffffff", std::numeric_limits<std::int32_t>::max()},
        {"$FFFFFFFF", -1},
        {"$80000000", std::numeric_limits<std::int32_t>::min()},
        {"-$FFFFFFFF", 1},
        {"  +$0000000001", 1},
        {"12 ", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"0x100000000", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"+", std::nullopt},
        {"- 5", std::nullopt},
        {"0x-5", std::nullopt},
        {"1 2", std::nullopt},
        {"1e3", std::nullopt},
        {"abc", std::nullopt},
        {"$G", std::nullopt},
        {" ", std::nullopt},
    };
    for (const IntegerCase& c : cases) {
        SCOPED_TRACE(std::string("text '") + c.text + "'");
        set.aInt->setAsInteger(77);
        const std::string error = errorOf([&] { set.aInt->setAsString(c.text); });
        if (c.value) {
            EXPECT_EQ(error, "(no error)");
            EXPECT_EQ(set.aInt->asInteger(), *c.value);
            EXPECT_EQ(set.aInt->asString(), std::to_string(*c.value));
        } else {
            EXPECT_EQ(error, std::string("'") + c.text +
                                 "' is not a valid integer value for field 'AInt'");
            EXPECT_EQ(set.aInt->asInteger(), 77);
        }
    }
}

TEST_F(FieldTest, EmptyTextMakesIntegerAndBooleanNull) {
    set.aInt->setAsString("");
    set.aBoolean->setAsBoolean(true);
    set.aBoolean->setAsString("");
    EXPECT_TRUE(set.aInt->isNull());
    EXPECT_EQ(set.aInt->asString(), "");
    EXPECT_EQ(set.aInt->asInteger(), 0);
    EXPECT_TRUE(set.aBoolean->isNull());
    EXPECT_EQ(set.aBoolean->asString(), "");
}

struct BooleanCase {
    const char* text;
    std::optional<bool> value;
};

TEST_F(FieldTest, BooleanTextsMatchALeadingPartOfFalseThenTrue) {
    const BooleanCase cases[] = {
        {"f", false},
        {"FA", false},
        {"false", false},
        {"FALSE", false},
        {"fAlS", false},
        {"t", true},
        {"TRUE", true},
        {"tr", true},
        {"True", true},
        {"x", std::nullopt},
        {"Falsey", std::nullopt},
        {"Truey", std::nullopt},
        {" t", std::nullopt},
        {"F ", std::nullopt},
        {"fx", std::nullopt},
        {"yes", std::nullopt},
        {"1", std::nullopt},
    };
    for (const BooleanCase& c : cases) {
        SCOPED_TRACE(std::string("text '") + c.text + "'");
        set.aBoolean->clear();
        const std::string error = errorOf([&] { set.aBoolean->setAsString(c.text); });
        if (c.value) {
            EXPECT_EQ(error, "(no error)");
            EXPECT_FALSE(set.aBoolean->isNull());
            EXPECT_EQ(set.aBoolean->asBoolean(), *c.value);
            EXPECT_EQ(set.aBoolean->asString(), *c.value ? "True" : "False");
        } else {
            EXPECT_EQ(error, std::string("'") + c.text +
                                 "' is not a valid boolean value for field 'ABoolean'");
            EXPECT_TRUE(set.aBoolean->isNull());
        }
    }
}

struct CutCase {
    const char* text;
    const char* stored;
};

TEST_F(FieldTest, StringsAreCutToTheirSizeWithoutSplittingACharacter) {
    const CutCase intoAStr[] = {
        {"abcdefghijkl", "abcdefghijkl"},
        {"abcdefghijklm", "abcdefghijkl"},
        // 13 bytes whose last character takes bytes 10 to 12: it does not fit whole.
        {"abcdefghij\xE4\xB8\xAD", "abcdefghij"},
        // 11 bytes, then a 2-byte character that would need bytes 11 and 12.
        {"abcdefghijk\xC3\xA9", "abcdefghijk"},
        {"\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD",
         "\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD"},
        {"  padded  ", "  padded  "},
        // Bytes that are not UTF-8 count one each.
        {"abcdefghijk\xFF\xFE", "abcdefghijk\xFF"},
    };
    for (const CutCase& c : intoAStr) {
        SCOPED_TRACE(c.text);
        set.aStr->setAsString(c.text);
        EXPECT_EQ(set.aStr->asString(), c.stored);
    }
    const CutCase intoStrShowCheck[] = {
        {"abc", "ab"},
        {"aa", "aa"},
        {"\xC3\xA9", "\xC3\xA9"},
        {"\xC3\xA9"
         "a",
         "\xC3\xA9"},
        {"a\xC3\xA9", "a"},
        {"\xE4\xB8\xAD", ""},
        // Sequences that are not well-formed UTF-8 are bytes of one character each:
        // an overlong form, a surrogate, a value above U+10FFFF, a lead byte F5.
        {"a\xC0\x80", "a\xC0"},
        {"a\xED\xA0\x80", "a\xED"},
        {"\xF4\x90\x80\x80", "\xF4\x90"},
        {"\xF5\x80\x80\x80", "\xF5\x80"},
    };
    for (const CutCase& c : intoStrShowCheck) {
        SCOPED_TRACE(c.text);
        set.strShowCheck->setAsString(c.text);
        EXPECT_EQ(set.strShowCheck->asString(), c.stored);
    }
}

TEST_F(FieldTest, GenericValuesConvertToTheFieldsTypeOrFailNamingTheField) {
    set.aInt->setValue(std::uint8_t{1});
    EXPECT_EQ(set.aInt->asInteger(), 1);
    set.aInt->setValue(std::int64_t{-5});
    EXPECT_EQ(set.aInt->asInteger(), -5);
    set.aInt->setValue(3.0);
    EXPECT_EQ(set.aInt->asInteger(), 3);
    set.aInt->setValue(std::string("0x10"));
    EXPECT_EQ(set.aInt->asInteger(), 16);
    set.aStr->setValue(std::int32_t{-42});
    EXPECT_EQ(set.aStr->asString(), "-42");
    set.aStr->setValue(true);
    EXPECT_EQ(set.aStr->asString(), "True");
    set.aBoolean->setValue(std::int32_t{0});
    EXPECT_FALSE(set.aBoolean->asBoolean());
    set.aBoolean->setValue(std::string("t"));
    EXPECT_TRUE(set.aBoolean->asBoolean());

    set.aInt->setAsInteger(9);
    EXPECT_EQ(errorOf([&] { set.aInt->setValue(std::int64_t{1} << 31); }),
              "Invalid value for field 'AInt'");
    EXPECT_EQ(errorOf([&] { set.aInt->setValue(std::string("abc")); }),
              "Invalid value for field 'AInt'");
    EXPECT_EQ(errorOf([&] { set.aInt->setValue(std::numeric_limits<double>::quiet_NaN()); }),
              "Invalid value for field 'AInt'");
    EXPECT_EQ(errorOf([&] { set.aBoolean->setValue(std::string("maybe")); }),
              "Invalid value for field 'ABoolean'");
    EXPECT_EQ(set.aInt->asInteger(), 9);

    set.aInt->setValue(Variant{});
    EXPECT_TRUE(set.aInt->isNull());
    EXPECT_TRUE(::isNull(set.aInt->value()));
}

TEST_F(FieldTest, ValuesReadBackInTheirOwnKind) {
    set.aInt->setAsInteger(-12);
    set.aStr->setAsString("text");
    set.aBoolean->setAsBoolean(true);
    EXPECT_EQ(std::get<std::int32_t>(set.aInt->value()), -12);
    EXPECT_EQ(std::get<std::string>(set.aStr->value()), "text");
    EXPECT_EQ(std::get<bool>(set.aBoolean->value()), true);
    EXPECT_EQ(set.aInt->displayText(), "-12");
    EXPECT_EQ(set.aInt->text(), "-12");
}

TEST_F(FieldTest, WritesOutsideEditingCarryThePrefixAndReadOnlyFieldsNone) {
    set.dataSet->cancel();
    EXPECT_EQ(errorOf([&] { set.aInt->setAsInteger(1); }),
              "ClientDataSet1: Dataset not in edit or insert mode");
    EXPECT_EQ(errorOf([&] { set.aStr->clear(); }),
              "ClientDataSet1: Dataset not in edit or insert mode");
    // A bad text fails on its own terms first.
    EXPECT_EQ(errorOf([&] { set.aInt->setAsString("abc"); }),
              "'abc' is not a valid integer value for field 'AInt'");

    set.dataSet->insert();
    set.aStr->setReadOnly(true);
    EXPECT_EQ(errorOf([&] { set.aStr->setAsString("x"); }), "Field 'AStr' cannot be modified");
    EXPECT_TRUE(set.aStr->isNull());
}

TEST_F(FieldTest, FailedWritesSendNothingAndLeaveTheModifiedFlag) {
    set.dataSet->post();
    set.dataSet->edit();
    ASSERT_FALSE(set.dataSet->modified());
    EXPECT_THROW(set.aInt->setAsString("12 "), EDatabaseError);
    EXPECT_THROW(set.aBoolean->setAsString("x"), EDatabaseError);
    EXPECT_FALSE(set.dataSet->modified());
    EXPECT_EQ(set.dataSet->state(), TDataSetState::dsEdit);
    EXPECT_EQ(set.aInt->asInteger(), 1);
}

TEST(FieldReads, EveryFieldReadsNullWhileInactiveAndOnAnEmptySet) {
    WindowRecordSet set(false);
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "Inactive" : "Browse, empty");
        for (TField* field : set.dataSet->fields()) {
            EXPECT_TRUE(field->isNull());
            EXPECT_EQ(field->asString(), "");
            EXPECT_EQ(field->asInteger(), 0);
            EXPECT_FALSE(field->asBoolean());
            EXPECT_TRUE(::isNull(field->value()));
        }
        set.dataSet->open();
    }
}

TEST(FieldSettings, DisplayWidthsAlignmentsAndNames) {
    WindowRecordSet set;
    EXPECT_EQ(set.aInt->displayWidth(), 10);
    EXPECT_EQ(set.aStr->displayWidth(), 12);
    EXPECT_EQ(set.aBoolean->displayWidth(), 5);
    EXPECT_EQ(set.strShowCheck->displayWidth(), 2);
    EXPECT_EQ(set.aInt->alignment(), TAlignment::taRightJustify);
    EXPECT_EQ(set.aStr->alignment(), TAlignment::taLeftJustify);
    EXPECT_EQ(set.aBoolean->alignment(), TAlignment::taLeftJustify);
    EXPECT_EQ(set.aInt->displayName(), "AInt");
    EXPECT_EQ(set.aBoolean->index(), 2);
    EXPECT_EQ(set.dataSet->fieldByName("strshowcheck"), set.strShowCheck);
    EXPECT_EQ(set.dataSet->findField("Missing"), nullptr);
    set.aInt->setDisplayWidth(4);
    EXPECT_EQ(set.aInt->displayWidth(), 4);
    EXPECT_TRUE(set.aInt->canModify());
    set.dataSet->close();
    EXPECT_FALSE(set.aInt->canModify());
}

}  // namespace
