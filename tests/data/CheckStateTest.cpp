// Value lists and the check state of a field: matching a text against the
// alternatives of a list, the first alternative a write uses, and the mapping
// between field values and the three check states.

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "data/CheckState.h"
#include "data/DBErrors.h"
#include "tests/support/WindowRecordSet.h"

namespace {

struct MatchCase {
    const char* text;
    const char* list;
    bool matches;
};

void expectMatches(const MatchCase& c) {
    SCOPED_TRACE(std::string("text '") + c.text + "', list '" + c.list + "'");
    EXPECT_EQ(matchesValueList(c.text, c.list), c.matches);
}

TEST(ValueList, MatchesAWholeAlternativeIgnoringCaseAndTrimmingOnlyTheList) {
    const MatchCase cases[] = {
        {"aa", "aa", true},
        {"AA", "aa", true},
        {"aA", "Aa", true},
        {"a", "aa", false},
        {"aaa", "aa", false},
        {"bb", "aa;bb", true},
        {"BB", " aa ; Bb ", true},
        {"cc", "aa;bb", false},
        {"1", "1", true},
        {"01", "1", false},
        {"True", "True", true},
        // Characters of code 32 or less around an alternative are dropped...
        {"aa", "\t aa\r\n", true},
        {"aa",
         "\x01"
         "aa"
         "\x1F",
         true},
        // ...but inside it they stay, and the text itself is never trimmed.
        {"a a", "a a", true},
        {"aa", "a a", false},
        {" aa", "aa", false},
        {"aa ", "aa", false},
    };
    for (const MatchCase& c : cases) {
        expectMatches(c);
    }
}

TEST(ValueList, EmptyListsAndEmptyAlternatives) {
    const MatchCase cases[] = {
        // An empty list matches nothing, not even the empty text.
        {"", "", false},
        {"aa", "", false},
        // An empty alternative matches only the empty text.
        {"", ";aa", true},
        {"aa", ";aa", true},
        {"", "aa;;bb", true},
        {"bb", "aa;;bb", true},
        {"", "  ;aa", true},
        {"", ";", true},
        {" ", ";", false},
        // A ";" at the very end starts no empty alternative.
        {"", "aa;", false},
        {"aa", "aa;", true},
        // Two at the end: the empty alternative between them counts.
        {"", "aa;;", true},
        {"", "   ", true},
    };
    for (const MatchCase& c : cases) {
        expectMatches(c);
    }
}

TEST(ValueList, LettersBeyondAsciiFoldToo) {
    const MatchCase cases[] = {
        {"\xC3\x84pfel", "\xC3\xA4pfel", true},            // Äpfel / äpfel
        {"\xD0\x94\xD0\x90", "\xD0\xB4\xD0\xB0", true},    // ДА / да
        {"\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89", true},  // été / ÉTÉ
        {"\xC3\xA9", "e", false},
        {"\xE4\xB8\xAD", "\xE4\xB8\xAD", true},
        {"\xFF", "\xFF", true},
        {"\xFF", "\xFE", false},
    };
    for (const MatchCase& c : cases) {
        expectMatches(c);
    }
    // The same under the user's UTF-8 locale, when there is one.
    const std::string saved = std::setlocale(LC_CTYPE, nullptr);
    if (std::setlocale(LC_CTYPE, "C.UTF-8")) {
        for (const MatchCase& c : cases) {
            expectMatches(c);
        }
        expectMatches({"AA", "aa", true});
    }
    std::setlocale(LC_CTYPE, saved.c_str());
}

TEST(ValueList, FirstAlternativeIsTrimmed) {
    EXPECT_EQ(firstAlternative("aa"), "aa");
    EXPECT_EQ(firstAlternative("  aa ; bb"), "aa");
    EXPECT_EQ(firstAlternative(" 1;yes"), "1");
    EXPECT_EQ(firstAlternative(";bb"), "");
    EXPECT_EQ(firstAlternative(""), "");
}

class CheckStateTest : public ::testing::Test {
protected:
    void SetUp() override { set.dataSet->insert(); }
    WindowRecordSet set;
};

TEST_F(CheckStateTest, StateFromTheFieldValue) {
    EXPECT_EQ(checkStateOf(nullptr, "1", "0"), TCheckBoxState::cbUnchecked);
    // Null is grey whatever the lists say.
    EXPECT_EQ(checkStateOf(set.aBoolean, "True", "False"), TCheckBoxState::cbGrayed);
    EXPECT_EQ(checkStateOf(set.strShowCheck, ";", ""), TCheckBoxState::cbGrayed);

    set.aBoolean->setAsBoolean(true);
    EXPECT_EQ(checkStateOf(set.aBoolean, "no", "no"), TCheckBoxState::cbChecked);
    set.aBoolean->setAsBoolean(false);
    EXPECT_EQ(checkStateOf(set.aBoolean, std::nullopt, std::nullopt), TCheckBoxState::cbUnchecked);

    struct Case {
        int value;
        TCheckBoxState state;
    };
    for (const Case& c : {Case{1, TCheckBoxState::cbChecked}, Case{0, TCheckBoxState::cbUnchecked},
                          Case{2, TCheckBoxState::cbGrayed}, Case{-1, TCheckBoxState::cbGrayed}}) {
        set.aInt->setAsInteger(c.value);
        EXPECT_EQ(checkStateOf(set.aInt, "1", "0"), c.state) << c.value;
    }
    for (const char* text : {"aa", "AA", "Aa"}) {
        set.strShowCheck->setAsString(text);
        EXPECT_EQ(checkStateOf(set.strShowCheck, "aa", "bb"), TCheckBoxState::cbChecked) << text;
    }
    set.strShowCheck->setAsString("bB");
    EXPECT_EQ(checkStateOf(set.strShowCheck, "aa", "bb"), TCheckBoxState::cbUnchecked);
    set.strShowCheck->setAsString("a");
    EXPECT_EQ(checkStateOf(set.strShowCheck, "aa", "bb"), TCheckBoxState::cbGrayed);
    // A text in both lists is ticked; a missing list matches nothing.
    set.strShowCheck->setAsString("aa");
    EXPECT_EQ(checkStateOf(set.strShowCheck, "aa", "aa"), TCheckBoxState::cbChecked);
    EXPECT_EQ(checkStateOf(set.strShowCheck, std::nullopt, "aa"), TCheckBoxState::cbUnchecked);
    EXPECT_EQ(checkStateOf(set.strShowCheck, std::nullopt, std::nullopt), TCheckBoxState::cbGrayed);
}

TEST_F(CheckStateTest, WritingAStateUsesTheFirstAlternativeThroughTheFieldsText) {
    writeCheckState(set.aInt, TCheckBoxState::cbUnchecked, "1", " 0 ;false");
    EXPECT_EQ(set.aInt->asInteger(), 0);
    writeCheckState(set.aInt, TCheckBoxState::cbChecked, "$1;yes", "0");
    EXPECT_EQ(set.aInt->asInteger(), 1);
    writeCheckState(set.strShowCheck, TCheckBoxState::cbChecked, "aa", "bb");
    EXPECT_EQ(set.strShowCheck->asString(), "aa");
    writeCheckState(set.aBoolean, TCheckBoxState::cbChecked, "no", "no");
    EXPECT_TRUE(set.aBoolean->asBoolean());
    writeCheckState(set.aBoolean, TCheckBoxState::cbUnchecked, std::nullopt, std::nullopt);
    EXPECT_FALSE(set.aBoolean->asBoolean());
    EXPECT_FALSE(set.aBoolean->isNull());

    // Grey writes null; a missing list writes the empty text, which is null for an integer.
    writeCheckState(set.strShowCheck, TCheckBoxState::cbGrayed, "aa", "bb");
    EXPECT_TRUE(set.strShowCheck->isNull());
    writeCheckState(set.aInt, TCheckBoxState::cbChecked, std::nullopt, "0");
    EXPECT_TRUE(set.aInt->isNull());
    writeCheckState(nullptr, TCheckBoxState::cbChecked, "1", "0");

    // A first alternative the field refuses fails as the field's own text would.
    EXPECT_THROW(writeCheckState(set.aInt, TCheckBoxState::cbChecked, "yes;1", "0"),
                 EDatabaseError);
}

}  // namespace
