// A seeded run of random user events on the real window: the window built from
// its stored description, under the program's own application object, with a
// scripted dialogs object that answers the "Confirm" box OK or Cancel at
// random. After every event the grid, the field-bound texts and boxes and the
// navigator must agree with the record set, and the stored records with the
// model of what the user posted (WindowAgreement, PostedRecords).
//
// CHECKGRID_RANDOM_SEED and CHECKGRID_RANDOM_EVENTS override the seed and the
// number of events; a failure prints both and the events that led to it.

#include <gtest/gtest.h>

#include <QTest>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <random>

#include "app/Application.h"
#include "controls/DBCheckBox.h"
#include "form/ComponentClasses.h"
#include "form/Form1.h"
#include "form/StoredDescription.h"
#include "tests/random/PostedRecords.h"
#include "tests/random/RandomUser.h"
#include "tests/random/StoredRecords.h"
#include "tests/random/WindowAgreement.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

unsigned long setting(const char* name, unsigned long fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtoul(text, nullptr, 10) : fallback;
}

// The texts of the error boxes that this window can show while it is used as
// intended: Refresh has no data provider to fetch from.
bool expectedError(const QString& text) {
    return text == QLatin1String("ClientDataSet1: Missing data provider or data packet.") ||
           text == QLatin1String("ClientDataSet1: Must apply updates before refreshing data.");
}

class RandomUse : public testing::Test {
protected:
    RandomUse() {
        ComponentRegistry classes = windowComponentClasses();
        classes.add<InspectableDataSet>("TClientDataSet");
        form = createForm1(storedDescription("TForm1"), classes);
        dataSet = dynamic_cast<InspectableDataSet*>(form->ClientDataSet1);
        form->show();
        form->activateWindow();
        windowActive = QTest::qWaitForWindowActive(form.get());
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
    InspectableDataSet* dataSet = nullptr;
    bool windowActive = false;
};

TEST_F(RandomUse, WindowAndStoredRecordsFollowEveryEvent) {
    ASSERT_TRUE(windowActive);
    ASSERT_NE(dataSet, nullptr);
    const unsigned long seed = setting("CHECKGRID_RANDOM_SEED", 20240611);
    const unsigned long events = setting("CHECKGRID_RANDOM_EVENTS", 20000);
    std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
    WindowAgreement agreement(*form, *dataSet);
    PostedRecords posted(dataSet->storedRecords());
    std::bernoulli_distribution okOrCancel(0.5);

    std::deque<std::string> recent;  // the last steps, for the failure report
    std::map<std::string, int> errorBoxes;
    std::vector<std::string> unexpectedErrors;
    std::optional<std::string> failure;
    unsigned long event = 0;
    int steps = 0;
    int confirmations = 0;
    int confirmedOk = 0;
    std::size_t mostRecords = 0;

    // Before each step: fresh answers for the boxes it may ask, and what a
    // post could store now.
    std::deque<DialogButton> answers;
    auto beforeStep = [&] {
        dialogs.answers.clear();
        for (int i = 0; i < 3; ++i) {
            dialogs.answers.push_back(okOrCancel(random) ? DialogButton::Ok : DialogButton::Cancel);
        }
        answers = dialogs.answers;
        posted.beforeEvent(*form, *dataSet);
    };
    // After each step: the boxes it showed, then the window and the stored
    // records against the record set and the model.
    auto afterStep = [&](const std::string& step) {
        if (failure) {
            return;
        }
        ++steps;
        std::string line = std::to_string(event) + ": " + step;
        std::size_t answered = 0;
        for (const DialogRequest& box : dialogs.shown) {
            const std::string text = box.text.toStdString();
            if (box.icon == DialogIcon::Question) {
                ++confirmations;
                const bool ok = answered < answers.size() && answers[answered] == DialogButton::Ok;
                confirmedOk += ok ? 1 : 0;
                line += ", \"" + text + "\" answered " + (ok ? "OK" : "Cancel");
            } else {
                ++errorBoxes[text];
                line += ", error box \"" + text + "\"";
                if (!expectedError(box.text)) {
                    unexpectedErrors.push_back(line);
                }
            }
            ++answered;
        }
        dialogs.shown.clear();
        recent.push_back(line);
        if (recent.size() > 30) {
            recent.pop_front();
        }
        const std::vector<RecordValues> stored = dataSet->storedRecords();
        mostRecords = std::max(mostRecords, stored.size());
        failure = agreement.check(stored);
        if (!failure) {
            failure = posted.afterEvent(stored);
        }
        beforeStep();
    };
    RandomUser user(*form, random, afterStep);

    const auto began = std::chrono::steady_clock::now();
    beforeStep();
    for (event = 1; event <= events && !failure; ++event) {
        user.act();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();

    std::string log;
    for (const std::string& line : recent) {
        log += "\n  " + line;
    }
    ASSERT_FALSE(failure) << "seed " << seed << ", after the step " << recent.back() << ":\n"
                          << *failure << "\nthe last steps:" << log;
    std::string errors;
    for (const auto& [text, count] : errorBoxes) {
        errors += "\n  " + std::to_string(count) + " x " + text;
    }
    const ChangeCounts& counts = posted.counts();
    std::printf(
        "%lu events (%d steps) of seed %lu in %.1f s: %d new records stored, %d edits "
        "stored, %d deletes, %d confirmations (%d OK), at most %zu records; error "
        "boxes:%s\n",
        events, steps, seed, seconds, counts.storedInserts, counts.storedEdits, counts.deletes,
        confirmations, confirmedOk, mostRecords, errors.empty() ? " none" : errors.c_str());
    for (const std::string& line : unexpectedErrors) {
        ADD_FAILURE() << "an error box the window should not show (seed " << seed << "): " << line;
    }
}

// The checks themselves: they pass what the user did and catch what nobody did.

TEST_F(RandomUse, ChecksSeeAStoredRecordChangedBehindTheWindow) {
    dataSet->append();
    dataSet->post();
    dataSet->append();
    dataSet->post();
    WindowAgreement agreement(*form, *dataSet);
    PostedRecords posted(dataSet->storedRecords());
    ASSERT_EQ(agreement.check(dataSet->storedRecords()), std::nullopt);

    posted.beforeEvent(*form, *dataSet);
    dataSet->changeBehindTheWindow(1, 7);
    const std::vector<RecordValues> stored = dataSet->storedRecords();
    EXPECT_NE(agreement.check(stored), std::nullopt) << "the grid still shows the old AInt";
    EXPECT_NE(posted.afterEvent(stored), std::nullopt) << "a record changed that nobody edited";
}

TEST_F(RandomUse, ChecksAcceptOnlyTheChangeTheEventCouldMake) {
    dataSet->append();
    dataSet->post();
    dataSet->append();
    dataSet->post();  // two records: AInt 1, 1; the second is current
    PostedRecords posted(dataSet->storedRecords());

    // An edit posted in one event, with the AInt box's toggle still pending.
    dataSet->edit();
    dataSet->fieldByName("AStr")->setAsString("x");
    form->DBCheckBox2->setFocus();
    form->DBCheckBox2->toggle();  // ticked to clear, pending
    posted.beforeEvent(*form, *dataSet);
    dataSet->post();
    EXPECT_EQ(posted.afterEvent(dataSet->storedRecords()), std::nullopt);
    EXPECT_EQ(dataSet->storedRecords().back().aInt, "0");

    // A change stored by an event that began in Browse.
    posted.beforeEvent(*form, *dataSet);
    dataSet->edit();
    dataSet->fieldByName("AStr")->setAsString("y");
    dataSet->post();
    EXPECT_NE(posted.afterEvent(dataSet->storedRecords()), std::nullopt);

    // A new record stored with other values than it was composed with.
    PostedRecords fresh(dataSet->storedRecords());
    dataSet->insert();
    fresh.beforeEvent(*form, *dataSet);
    dataSet->fieldByName("ABoolean")->setAsBoolean(true);
    dataSet->post();
    EXPECT_NE(fresh.afterEvent(dataSet->storedRecords()), std::nullopt);

    // Deleting the current record is what Delete does; the model follows.
    PostedRecords deleting(dataSet->storedRecords());
    deleting.beforeEvent(*form, *dataSet);
    dataSet->deleteRecord();
    EXPECT_EQ(deleting.afterEvent(dataSet->storedRecords()), std::nullopt);
    EXPECT_EQ(deleting.model().size(), 2u);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    TApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
