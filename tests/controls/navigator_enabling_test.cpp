// Which buttons the navigator enables, step by step through the user's
// typical sequences, each step a real click on the bar.

#include <functional>

#include "tests/controls/navigator_fixture.h"

namespace {

struct Step {
    const char* what;
    std::function<void(NavigatorWindow&)> act;
    const char* enabled;  // see NavigatorWindow::enabledButtons
    TDataSetState state;
    int recordCount;
};

void clickOn(NavigatorWindow& w, TNavigateBtn button) {
    w.click(button);
}

}  // namespace

TEST(NavigatorEnabling, FollowsTheRecordSetThroughATypicalSession) {
    using S = TDataSetState;
    const Step steps[] = {
        {"fresh start", [](NavigatorWindow&) {}, "----I-E--R", S::dsBrowse, 0},
        // Both set flags stay on during the insert: no moves, no delete.
        {"insert", [](auto& w) { clickOn(w, nbInsert); }, "----I--PCR", S::dsInsert, 0},
        // Re-reading the set after the post clears both flags.
        {"post", [](auto& w) { clickOn(w, nbPost); }, "FPNLIDE--R", S::dsBrowse, 1},
        {"next on one record", [](auto& w) { clickOn(w, nbNext); }, "FP--IDE--R", S::dsBrowse, 1},
        {"prior", [](auto& w) { clickOn(w, nbPrior); }, "--NLIDE--R", S::dsBrowse, 1},
        {"edit", [](auto& w) { clickOn(w, nbEdit); }, "--NLID-PCR", S::dsEdit, 1},
        {"cancel", [](auto& w) { clickOn(w, nbCancel); }, "FPNLIDE--R", S::dsBrowse, 1},
        {"delete of the only record", [](auto& w) { clickOn(w, nbDelete); }, "----I-E--R",
         S::dsBrowse, 0},
        // Edit on the empty set inserts.
        {"edit on the empty set", [](auto& w) { clickOn(w, nbEdit); }, "----I--PCR", S::dsInsert,
         0},
        // A pending new record is posted before the next insert starts; the
        // set now has records, so the moves and delete come back.
        {"insert while inserting", [](auto& w) { clickOn(w, nbInsert); }, "FPNLID-PCR", S::dsInsert,
         1},
        {"last while inserting", [](auto& w) { clickOn(w, nbLast); }, "FP--IDE--R", S::dsBrowse, 2},
        {"first", [](auto& w) { clickOn(w, nbFirst); }, "--NLIDE--R", S::dsBrowse, 2},
        {"close", [](auto& w) { w.data.dataSet->close(); }, "----------", S::dsInactive, 0},
        {"open again", [](auto& w) { w.data.dataSet->open(); }, "----I-E--R", S::dsBrowse, 0},
    };

    NavigatorWindow w;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act(w);
        EXPECT_EQ(w.enabledButtons(), step.enabled);
        EXPECT_EQ(w.data.dataSet->state(), step.state);
        if (step.state != TDataSetState::dsInactive) {
            EXPECT_EQ(w.data.dataSet->recordCount(), step.recordCount);
        }
    }
    EXPECT_TRUE(w.reported().empty());
}

// Everything is disabled without an open record set behind an enabled bar,
// and comes back when the cause goes.
TEST(NavigatorEnabling, DisablesEveryButtonWithoutAnOpenSetOrWhenDisabled) {
    struct Case {
        const char* what;
        std::function<void(NavigatorWindow&)> cut;
        std::function<void(NavigatorWindow&)> restore;
    };
    const Case cases[] = {
        {"no data source", [](auto& w) { w.navigator->setDataSource(nullptr); },
         [](auto& w) { w.navigator->setDataSource(w.data.source); }},
        {"navigator disabled", [](auto& w) { w.navigator->setEnabled(false); },
         [](auto& w) { w.navigator->setEnabled(true); }},
        {"window disabled", [](auto& w) { w.window.setEnabled(false); },
         [](auto& w) { w.window.setEnabled(true); }},
        {"data source disabled", [](auto& w) { w.data.source->setEnabled(false); },
         [](auto& w) { w.data.source->setEnabled(true); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NavigatorWindow w;
        w.fill(2);
        w.data.dataSet->next();
        ASSERT_EQ(w.enabledButtons(), "FPNLIDE--R");
        c.cut(w);
        EXPECT_EQ(w.enabledButtons(), "----------");
        // A click now does nothing.
        w.click(nbFirst);
        EXPECT_EQ(w.currentAInt(), 2);
        c.restore(w);
        EXPECT_EQ(w.enabledButtons(), "FPNLIDE--R");
    }
}

TEST(NavigatorEnabling, ReadsTheSetWhenTheDataSourceIsAssigned) {
    NavigatorWindow w;
    w.navigator->setDataSource(nullptr);
    w.fill(3);
    w.data.dataSet->last();
    w.navigator->setDataSource(w.data.source);
    EXPECT_EQ(w.enabledButtons(), "FP--IDE--R");
}

TEST(NavigatorEnabling, DisablesEverythingWhenItsDataSourceIsFreed) {
    NavigatorWindow w;
    delete w.data.source;
    w.data.source = nullptr;
    EXPECT_EQ(w.navigator->dataSource(), nullptr);
    EXPECT_EQ(w.enabledButtons(), "----------");
    w.click(nbInsert);
    EXPECT_EQ(w.data.dataSet->state(), TDataSetState::dsBrowse);
}
