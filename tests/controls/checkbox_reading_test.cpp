// What a field-bound check box shows: its state read from the field.

#include <optional>

#include "component/Exceptions.h"
#include "data/DBErrors.h"

#include "tests/controls/checkbox_fixture.h"

namespace {

using S = TCheckBoxState;

struct ReadCase {
    const char* field;
    std::optional<const char*> text;  // nullopt: the field is null
    S expected;
};

class CheckBoxReading : public testing::Test {
protected:
    CheckBoxWindow w;

    TDBCheckBox* boxFor(const std::string& field) {
        for (TDBCheckBox* box : {w.box1, w.box2, w.box3}) {
            if (box->dataField() == field) {
                return box;
            }
        }
        return nullptr;
    }
};

TEST_F(CheckBoxReading, EmptySetShowsEveryBoxGrey) {
    for (TDBCheckBox* box : {w.box1, w.box2, w.box3}) {
        EXPECT_EQ(box->state(), S::cbGrayed) << box->name();
        EXPECT_FALSE(box->togglePending());
    }
}

TEST_F(CheckBoxReading, StateFollowsTheFieldValue) {
    const ReadCase cases[] = {
        {"StrShowCheck", "aa", S::cbChecked},
        {"StrShowCheck", "AA", S::cbChecked},
        {"StrShowCheck", "aA", S::cbChecked},
        {"StrShowCheck", "bb", S::cbUnchecked},
        {"StrShowCheck", "BB", S::cbUnchecked},
        {"StrShowCheck", "Bb", S::cbUnchecked},
        {"StrShowCheck", "a", S::cbGrayed},
        {"StrShowCheck", "ab", S::cbGrayed},
        {"StrShowCheck", "", S::cbGrayed},
        {"StrShowCheck", std::nullopt, S::cbGrayed},
        {"AInt", "1", S::cbChecked},
        {"AInt", "0", S::cbUnchecked},
        {"AInt", "2", S::cbGrayed},
        {"AInt", "-1", S::cbGrayed},
        {"AInt", std::nullopt, S::cbGrayed},
        {"ABoolean", "True", S::cbChecked},
        {"ABoolean", "False", S::cbUnchecked},
        {"ABoolean", std::nullopt, S::cbGrayed},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " = " + (c.text ? *c.text : "null"));
        TField* field = w.data.dataSet->fieldByName(c.field);
        TDBCheckBox* box = boxFor(c.field);
        w.data.dataSet->insert();
        if (c.text) {
            field->setAsString(*c.text);
        } else {
            field->clear();
        }
        // The field change reaches the box at once ...
        EXPECT_EQ(box->state(), c.expected);
        w.data.dataSet->post();
        // ... and the re-read after the post shows the stored value.
        EXPECT_EQ(box->state(), c.expected);
        EXPECT_FALSE(box->togglePending());
    }
}

TEST_F(CheckBoxReading, BooleanBoxIgnoresItsValueLists) {
    // A Boolean field shows its value whatever the lists say.
    w.box3->setValueChecked("False");
    w.box3->setValueUnchecked("True");
    w.data.dataSet->insert();
    w.data.aBoolean->setAsBoolean(true);
    EXPECT_EQ(w.box3->state(), S::cbChecked);
}

TEST_F(CheckBoxReading, ValueListAlternativesAreTrimmedAndATextInBothListsShowsTicked) {
    w.box1->setValueChecked(" xx ;\tAa");
    w.box1->setValueUnchecked("aa;bb");
    w.data.dataSet->insert();
    w.data.strShowCheck->setAsString("aa");
    EXPECT_EQ(w.box1->state(), S::cbChecked);
    w.data.strShowCheck->setAsString("XX");
    EXPECT_EQ(w.box1->state(), S::cbChecked);
    w.data.strShowCheck->setAsString("bb");
    EXPECT_EQ(w.box1->state(), S::cbUnchecked);
}

TEST_F(CheckBoxReading, FollowsTheCurrentRecordAsTheSetMoves) {
    for (const char* value : {"aa", "bb", "x"}) {
        w.data.dataSet->append();
        w.data.strShowCheck->setAsString(value);
        w.data.dataSet->post();
    }
    w.data.dataSet->first();
    EXPECT_EQ(w.box1->state(), S::cbChecked);
    w.data.dataSet->next();
    EXPECT_EQ(w.box1->state(), S::cbUnchecked);
    w.data.dataSet->next();
    EXPECT_EQ(w.box1->state(), S::cbGrayed);
    w.data.dataSet->deleteRecord();
    EXPECT_EQ(w.box1->state(), S::cbUnchecked);
}

TEST(CheckBoxInactive, ShowsClearAndIgnoresClickSpaceAndBackspace) {
    CheckBoxWindow w(/*open=*/false);
    for (TDBCheckBox* box : {w.box1, w.box2, w.box3}) {
        EXPECT_EQ(box->state(), S::cbUnchecked) << box->name();
    }
    w.click(w.box2);
    ASSERT_TRUE(w.box2->hasFocus());
    w.key(Qt::Key_Space);
    w.key(Qt::Key_Backspace);
    w.runPostedEvents();
    EXPECT_EQ(w.state(), TDataSetState::dsInactive);
    EXPECT_EQ(w.box2->state(), S::cbUnchecked);
    EXPECT_FALSE(w.box2->togglePending());
    EXPECT_TRUE(w.dialogs.shown.empty());

    // Opening binds the boxes, which then show the empty set; closing drops them again.
    w.data.dataSet->open();
    EXPECT_EQ(w.box2->state(), S::cbGrayed);
    EXPECT_NE(w.box2->field(), nullptr);
    w.data.dataSet->close();
    EXPECT_EQ(w.box2->state(), S::cbUnchecked);
    EXPECT_EQ(w.box2->field(), nullptr);
}

TEST(CheckBoxBinding, UnknownFieldFailsWithTheControlsName) {
    WindowRecordSet data(/*open=*/false);
    QWidget window;
    auto* box = new TDBCheckBox;
    box->setName("DBCheckBox9");
    box->setParent(&window);
    box->readSetting("DataField", textValue("NoSuchField"));
    box->readReference("DataSource", data.source);
    try {
        data.dataSet->open();
        FAIL() << "the open should fail";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.message(), "DBCheckBox9: Field 'NoSuchField' not found");
    }
}

TEST(CheckBoxSettings, DefaultsAndUnknownSettings) {
    TDBCheckBox box;
    EXPECT_EQ(box.size(), QSize(97, 17));
    EXPECT_TRUE(box.tabStop());
    EXPECT_EQ(box.alignment(), TAlignment::taRightJustify);
    EXPECT_FALSE(box.allowGrayed());
    EXPECT_EQ(box.state(), S::cbUnchecked);
    EXPECT_THROW(box.readSetting("NoSuchSetting", integerValue(1)), EReadError);
    EXPECT_THROW(box.readSetting("Caption", integerValue(1)), EReadError);
    EXPECT_THROW(box.readSetting("Alignment", identifierValue("taCenter")), EReadError);
    box.readSetting("Alignment", identifierValue("taLeftJustify"));
    box.readSetting("AllowGrayed", identifierValue("True"));
    box.readSetting("ReadOnly", identifierValue("True"));
    EXPECT_EQ(box.alignment(), TAlignment::taLeftJustify);
    EXPECT_TRUE(box.allowGrayed());
    EXPECT_TRUE(box.readOnly());
}

}  // namespace
