#pragma once
// The navigator on a plain window, bound to the window's record set, between
// two line edits that stand for the window's other controls (the first holds
// the focus at the start). Mouse input goes through the window system, so Qt
// routes presses to the button under the pointer and keeps the mouse with the
// pressed button until the release, as it does for a user.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <string>

#include "controls/DBNavigator.h"
#include "controls/NavigatorButton.h"
#include "tests/controls/navigator_test_application.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/WindowRecordSet.h"

class NavigatorWindow {
public:
    explicit NavigatorWindow(bool open = true) : data(open) {
        NavigatorTestApplication::instance().reported.clear();
        window.resize(400, 120);
        before = new QLineEdit(&window);
        before->setGeometry(10, 10, 100, 20);
        navigator = new TDBNavigator();
        navigator->setName("DBNavigator1");
        navigator->setParent(&window);
        navigator->setGeometry(10, 40, 240, 25);
        navigator->setDataSource(data.source);
        after = new QLineEdit(&window);
        after->setGeometry(10, 80, 100, 20);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        before->setFocus();
    }

    // The buttons' enabled states, one letter per button in bar order
    // (First Prior Next Last Insert Delete Edit Post Cancel Refresh), "-" for
    // a disabled one.
    std::string enabledButtons() const {
        static const char letters[] = "FPNLIDEPCR";
        std::string result;
        for (TNavigateBtn kind : allNavigateBtns) {
            result += navigator->isButtonEnabled(kind) ? letters[kind] : '-';
        }
        return result;
    }

    QPoint centre(TNavigateBtn button) const { return navigator->buttonRect(button).center(); }

    void click(TNavigateBtn button) {
        QTest::mouseClick(navigator, Qt::LeftButton, {}, centre(button));
    }
    void press(TNavigateBtn button) {
        QTest::mousePress(navigator, Qt::LeftButton, {}, centre(button));
    }
    void release(TNavigateBtn button) { releaseAt(centre(button)); }
    // Points in the navigator's coordinates; they may lie outside it.
    void releaseAt(QPoint point) { QTest::mouseRelease(navigator, Qt::LeftButton, {}, point); }
    void moveTo(QPoint point) { QTest::mouseMove(navigator, point); }
    // A point of the window below the navigator, off every button.
    QPoint offTheBar() const { return QPoint(120, 45); }

    // Appends `count` posted records with AInt 1..count and moves to the first.
    void fill(int count) {
        for (int i = 1; i <= count; ++i) {
            data.dataSet->append();
            data.aInt->setAsInteger(i);
            data.dataSet->post();
        }
        data.dataSet->first();
    }

    int currentAInt() const { return data.aInt->asInteger(); }

    const std::vector<ReportedError>& reported() const {
        return NavigatorTestApplication::instance().reported;
    }

    ScriptedDialogs dialogs;
    WindowRecordSet data;
    QWidget window;
    QLineEdit* before = nullptr;
    TDBNavigator* navigator = nullptr;
    QLineEdit* after = nullptr;
};
