// The data source and the links of bound controls: the edit request, the
// state each link derives, the fan-out of notifications, the updating flag
// that hides a control's own write from it, the field link's reactions, and
// freeing either side first.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/DBErrors.h"
#include "data/FieldDataLink.h"
#include "tests/data/Recorder.h"
#include "tests/support/WindowRecordSet.h"

namespace {

// A link that counts its reactions.
class CountingLink : public TDataLink {
public:
    int activeChanges = 0;
    int editingChanges = 0;
    int dataSetChanges = 0;
    int recordChanges = 0;
    std::vector<int> scrolls;

protected:
    void activeChanged() override { ++activeChanges; }
    void editingChanged() override { ++editingChanges; }
    void dataSetChanged() override { ++dataSetChanges; }
    void dataSetScrolled(int distance) override { scrolls.push_back(distance); }
    void recordChanged(TField*) override { ++recordChanges; }
};

// A field link as a field-bound control uses it, logging its callbacks.
struct BoundControl {
    TFieldDataLink link;
    std::vector<std::string> calls;
    std::string pendingText;  // written at the update-data request

    BoundControl(std::string name, std::string field, TDataSource* source) : link(std::move(name)) {
        link.onDataChange = [this] {
            calls.push_back("data:" + (link.field() ? link.field()->asString() : "(none)"));
        };
        link.onEditingChange = [this] { calls.push_back("editing"); };
        link.onActiveChange = [this] { calls.push_back(link.active() ? "active" : "inactive"); };
        link.onUpdateData = [this] {
            calls.push_back("update");
            link.field()->setAsString(pendingText);
        };
        link.setFieldName(std::move(field));
        link.setDataSource(source);
    }
    std::vector<std::string> take() { return std::exchange(calls, {}); }
};

TEST(DataSource, TheEditRequestEditsOnlyInBrowseWithAutoEdit) {
    WindowRecordSet set;
    CountingLink link;
    link.setDataSource(set.source);

    // On the empty set the request inserts, handler included.
    EXPECT_TRUE(link.edit());
    EXPECT_EQ(set.dataSet->state(), TDataSetState::dsInsert);
    EXPECT_EQ(set.aInt->asInteger(), 1);
    EXPECT_TRUE(link.edit());
    EXPECT_EQ(set.dataSet->recordCount(), 0);
    set.dataSet->post();

    set.source->setAutoEdit(false);
    EXPECT_FALSE(link.edit());
    EXPECT_EQ(set.dataSet->state(), TDataSetState::dsBrowse);
    set.source->setAutoEdit(true);
    link.setReadOnly(true);
    EXPECT_FALSE(link.edit());
    link.setReadOnly(false);
    EXPECT_TRUE(link.edit());
    EXPECT_EQ(set.dataSet->state(), TDataSetState::dsEdit);
}

TEST(DataSource, LinksDeriveActiveAndEditingFromStateChanges) {
    WindowRecordSet set(false);
    CountingLink link;
    link.setDataSource(set.source);
    EXPECT_FALSE(link.active());
    set.dataSet->open();
    EXPECT_TRUE(link.active());
    EXPECT_EQ(link.activeChanges, 1);
    set.dataSet->insert();
    EXPECT_TRUE(link.editing());
    set.dataSet->insert();  // posts, then inserts: editing ends and begins again
    EXPECT_EQ(link.editingChanges, 3);
    set.dataSet->close();
    EXPECT_FALSE(link.active());
    EXPECT_FALSE(link.editing());
    EXPECT_EQ(link.activeChanges, 2);
    EXPECT_EQ(link.editingChanges, 4);
}

TEST(DataSource, ADisabledSourceIsInactiveAndPassesNothing) {
    WindowRecordSet set;
    CountingLink link;
    link.setDataSource(set.source);
    set.source->setEnabled(false);
    EXPECT_EQ(set.source->state(), TDataSetState::dsInactive);
    EXPECT_FALSE(link.active());
    set.dataSet->insert();
    EXPECT_EQ(link.dataSetChanges, 0);
    EXPECT_FALSE(link.edit());
    set.dataSet->post();
    set.source->setEnabled(true);
    EXPECT_TRUE(link.active());
    set.dataSet->first();
    EXPECT_EQ(link.dataSetChanges, 1);
}

TEST(DataSource, EveryLinkHearsEveryNotificationInLinkOrder) {
    WindowRecordSet set;
    EventLog log;
    RecordingLink first(log);
    RecordingLink second(log);
    first.setDataSource(set.source);
    second.setDataSource(set.source);
    set.dataSet->insert();
    const std::vector<std::string> all = log.take();
    ASSERT_EQ(all.size() % 2, 0u);
    for (std::size_t i = 0; i < all.size(); i += 2) {
        EXPECT_EQ(all[i], all[i + 1]);
    }
    EXPECT_EQ(all.size(), 8u);  // leave-editing, state, data set, field change, each twice
}

TEST(FieldDataLink, BindsOnActivationAndReadsOnEveryChangeOfItsField) {
    WindowRecordSet set(false);
    BoundControl control("DBText1", "AStr", set.source);
    EXPECT_EQ(control.link.field(), nullptr);
    EXPECT_EQ(control.take(), std::vector<std::string>{"data:(none)"});  // named, not bound
    set.dataSet->open();
    EXPECT_EQ(control.link.field(), set.aStr);
    EXPECT_EQ(control.take(), (std::vector<std::string>{"active", "data:"}));

    set.dataSet->insert();
    EXPECT_EQ(control.take(), (std::vector<std::string>{"editing", "data:"}));
    set.aInt->setAsInteger(5);  // another field: nothing
    set.aStr->setAsString("x");
    EXPECT_EQ(control.take(), std::vector<std::string>{"data:x"});
    set.dataSet->post();
    set.dataSet->edit();
    set.dataSet->append();
    set.dataSet->prior();
    EXPECT_EQ(control.take(), (std::vector<std::string>{"editing", "data:x", "editing", "data:x",
                                                        "editing", "data:x", "editing",
                                                        "data:", "editing", "data:", "data:x"}));
    set.dataSet->close();
    EXPECT_EQ(control.take(), (std::vector<std::string>{"inactive", "data:(none)"}));
}

TEST(FieldDataLink, AControlDoesNotHearItsOwnWriteButOthersDo) {
    WindowRecordSet set;
    BoundControl writer("DBCheckBox1", "StrShowCheck", set.source);
    BoundControl reader("DBText3", "StrShowCheck", set.source);
    set.dataSet->insert();
    writer.take();
    reader.take();

    writer.pendingText = "aa";
    writer.link.modify();
    set.dataSet->post();
    EXPECT_FALSE(writer.link.modified());
    EXPECT_EQ(writer.take(), (std::vector<std::string>{"update", "editing", "data:aa"}));
    EXPECT_EQ(reader.take(), (std::vector<std::string>{"data:aa", "editing", "data:aa"}));
    EXPECT_EQ(set.strShowCheck->asString(), "aa");

    // Without a pending edit nothing is written; writing on request works too.
    set.dataSet->edit();
    writer.take();
    writer.link.updateRecord();
    EXPECT_TRUE(writer.take().empty());
    writer.pendingText = "bb";
    writer.link.modify();
    writer.link.updateRecord();
    EXPECT_EQ(writer.take(), std::vector<std::string>{"update"});
    EXPECT_EQ(set.strShowCheck->asString(), "bb");
}

TEST(FieldDataLink, ADataChangeOrResetDropsThePendingEdit) {
    WindowRecordSet set;
    BoundControl control("DBCheckBox2", "AInt", set.source);
    set.dataSet->insert();
    control.link.modify();
    set.aInt->setAsInteger(3);
    EXPECT_FALSE(control.link.modified());
    control.link.modify();
    control.take();
    control.link.reset();
    EXPECT_FALSE(control.link.modified());
    EXPECT_EQ(control.take(), std::vector<std::string>{"data:3"});
}

TEST(FieldDataLink, EditAnswersWhetherTheFieldCanBeWritten) {
    WindowRecordSet set;
    BoundControl control("DBCheckBox3", "ABoolean", set.source);
    EXPECT_TRUE(control.link.canModify());
    set.aBoolean->setReadOnly(true);
    EXPECT_FALSE(control.link.canModify());
    EXPECT_FALSE(control.link.edit());
    EXPECT_EQ(set.dataSet->state(), TDataSetState::dsBrowse);
    set.aBoolean->setReadOnly(false);
    EXPECT_TRUE(control.link.edit());
    EXPECT_EQ(set.dataSet->state(), TDataSetState::dsInsert);
    control.link.setReadOnly(true);
    EXPECT_FALSE(control.link.edit());
}

TEST(FieldDataLink, AFieldNameThatDoesNotExistFailsWithTheControlsName) {
    WindowRecordSet set;
    BoundControl control("DBCheckBox1", "AInt", set.source);
    try {
        control.link.setFieldName("Nope");
        FAIL() << "bound";
    } catch (const EDatabaseError& error) {
        EXPECT_STREQ(error.what(), "DBCheckBox1: Field 'Nope' not found");
    }
    EXPECT_EQ(control.link.field(), nullptr);
    control.link.setFieldName("aint");
    EXPECT_EQ(control.link.field(), set.aInt);
}

TEST(Freeing, EitherSideMayGoFirst) {
    {
        auto set = std::make_unique<WindowRecordSet>();
        BoundControl control("DBText1", "AInt", set->source);
        delete set->source;  // the source goes: the link is inactive and unbound
        EXPECT_FALSE(control.link.active());
        EXPECT_EQ(control.link.field(), nullptr);
        EXPECT_EQ(control.link.dataSource(), nullptr);
        EXPECT_TRUE(set->dataSet->dataSources().empty());
    }
    {
        auto set = std::make_unique<WindowRecordSet>();
        BoundControl control("DBText1", "AInt", set->source);
        delete set->dataSet;  // the record set goes: the source stays, unlinked
        EXPECT_EQ(set->source->dataSet(), nullptr);
        EXPECT_FALSE(control.link.active());
        EXPECT_EQ(control.link.field(), nullptr);
        EXPECT_EQ(set->aInt->dataSet(), nullptr);
    }
    {
        auto set = std::make_unique<WindowRecordSet>();
        auto control = std::make_unique<BoundControl>("DBText1", "AInt", set->source);
        control->link.setBufferCount(4);
        EXPECT_EQ(set->dataSet->windowSize(), 4);
        control.reset();  // the control goes: its wish goes with it
        EXPECT_TRUE(set->source->links().empty());
        EXPECT_EQ(set->dataSet->windowSize(), 1);
    }
    {
        auto set = std::make_unique<WindowRecordSet>();
        BoundControl control("DBText1", "AInt", set->source);
        delete set->aInt;  // a field goes: the set closes rather than run without it
        EXPECT_FALSE(set->dataSet->active());
        EXPECT_EQ(control.link.field(), nullptr);
        EXPECT_EQ(set->dataSet->fieldCount(), 3);
    }
}

}  // namespace
