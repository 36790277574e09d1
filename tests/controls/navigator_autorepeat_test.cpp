// Holding Prior or Next repeats the move: the first step some 400 ms after
// the press, then one every 100 ms while the pointer stays on the button. The
// tests record when each step happens but only assert counts and order, with
// wide margins, so that a busy machine cannot fail them.

#include <QElapsedTimer>
#include <cstdio>

#include "tests/controls/navigator_fixture.h"

namespace {

// Records each step of the record set (its AfterScroll) with the time since
// start() and the record it reached.
struct StepLog {
    struct Entry {
        qint64 ms;
        int aInt;
    };

    explicit StepLog(NavigatorWindow& w) : w(w) {
        w.data.dataSet->AfterScroll = [this](TDataSet&) {
            entries.push_back({clock.elapsed(), this->w.currentAInt()});
        };
    }
    ~StepLog() { w.data.dataSet->AfterScroll = nullptr; }

    void start() { clock.start(); }
    int count() const { return static_cast<int>(entries.size()); }
    void print(const char* what) const {
        std::printf("[ times    ] %s:", what);
        for (const Entry& e : entries) {
            std::printf(" %lld ms (AInt %d)", static_cast<long long>(e.ms), e.aInt);
        }
        std::printf("\n");
    }

    NavigatorWindow& w;
    QElapsedTimer clock;
    std::vector<Entry> entries;
};

}  // namespace

TEST(NavigatorAutoRepeat, HoldingStepsAfterADelayThenSteadilyAndOnceMoreAtTheRelease) {
    struct Case {
        TNavigateBtn button;
        bool startAtEnd;
        int direction;
    };
    for (const Case c : {Case{nbNext, false, 1}, Case{nbPrior, true, -1}}) {
        SCOPED_TRACE(navigateBtnName(c.button));
        NavigatorWindow w;
        w.fill(40);
        if (c.startAtEnd) {
            w.data.dataSet->last();
        }
        const int startAInt = w.currentAInt();
        StepLog log(w);
        log.start();
        w.press(c.button);

        // No step right after the press.
        QTest::qWait(50);
        EXPECT_EQ(log.count(), 0);
        QTest::qWait(950);
        const qint64 heldMs = log.clock.elapsed();
        const int whileHeld = log.count();
        w.release(c.button);
        log.print(navigateBtnName(c.button));

        // Seven steps in one second on time (400, 500, ... 1000 ms); fewer
        // when the machine is busy; never more than the time held allows, as
        // a timer does not fire early.
        EXPECT_GE(whileHeld, 3);
        EXPECT_LE(whileHeld, 2 + (heldMs - 400) / 100);
        // The release is one more click.
        EXPECT_EQ(log.count(), whileHeld + 1);
        for (int i = 0; i < log.count(); ++i) {
            EXPECT_EQ(log.entries[i].aInt, startAInt + c.direction * (i + 1));
        }
        // Once released, nothing more.
        QTest::qWait(250);
        EXPECT_EQ(log.count(), whileHeld + 1);
    }
}

TEST(NavigatorAutoRepeat, TicksOffTheButtonDoNothingAndStepsResumeOnReturn) {
    NavigatorWindow w;
    w.fill(40);
    StepLog log(w);
    log.start();
    w.press(nbNext);
    w.moveTo(w.offTheBar());
    QTest::qWait(700);
    EXPECT_EQ(log.count(), 0);
    EXPECT_FALSE(w.navigator->button(nbNext)->isDown());

    w.moveTo(w.centre(nbNext));
    EXPECT_TRUE(w.navigator->button(nbNext)->isDown());
    QTest::qWait(450);
    const int afterReturn = log.count();
    EXPECT_GE(afterReturn, 1);

    // Released off the button: no click.
    w.moveTo(w.offTheBar());
    w.releaseAt(w.offTheBar());
    QTest::qWait(250);
    EXPECT_EQ(log.count(), afterReturn);
    log.print("off and back");
}

TEST(NavigatorAutoRepeat, StopsWhenTheButtonBecomesDisabled) {
    NavigatorWindow w;
    w.fill(3);
    StepLog log(w);
    log.start();
    w.press(nbNext);
    QTest::qWait(1200);
    // Steps to record 2 and 3, then the move that finds no further record
    // sets the end flag and disables Next.
    EXPECT_EQ(w.currentAInt(), 3);
    EXPECT_TRUE(w.data.dataSet->eof());
    EXPECT_FALSE(w.navigator->isButtonEnabled(nbNext));
    EXPECT_FALSE(w.navigator->button(nbNext)->isDown());
    const int steps = log.count();
    w.release(nbNext);
    QTest::qWait(150);
    EXPECT_EQ(log.count(), steps);
    EXPECT_TRUE(w.reported().empty());
    log.print("to the end");
}

TEST(NavigatorAutoRepeat, AnErrorStopsTheRepetitionAndReachesTheErrorBox) {
    NavigatorWindow w;
    w.fill(40);
    StepLog log(w);
    int moves = 0;
    w.data.dataSet->BeforeScroll = [&moves](TDataSet&) {
        if (++moves == 2) {
            throw Exception("Step refused");
        }
    };
    log.start();
    w.press(nbNext);
    QTest::qWait(1000);
    ASSERT_EQ(w.reported().size(), 1u);
    EXPECT_EQ(w.reported()[0].message, "Step refused");
    EXPECT_EQ(log.count(), 1);
    EXPECT_FALSE(w.navigator->button(nbNext)->isDown());

    // The press has ended: the release clicks nothing.
    w.release(nbNext);
    EXPECT_EQ(log.count(), 1);
    EXPECT_EQ(w.currentAInt(), 2);
    w.data.dataSet->BeforeScroll = nullptr;

    // The bar works on: a new hold repeats again.
    w.press(nbNext);
    QTest::qWait(600);
    w.release(nbNext);
    EXPECT_GE(log.count(), 3);
}

TEST(NavigatorAutoRepeat, OtherButtonsActOnlyAtTheRelease) {
    NavigatorWindow w;
    w.fill(5);
    StepLog log(w);
    log.start();
    w.press(nbLast);
    QTest::qWait(700);
    EXPECT_EQ(log.count(), 0);
    w.release(nbLast);
    EXPECT_EQ(log.count(), 1);
    EXPECT_EQ(w.currentAInt(), 5);
}
