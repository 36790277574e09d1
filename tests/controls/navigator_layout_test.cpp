// The navigator's width snaps to whole buttons; the buttons share it without
// gaps, each the full height.

#include "tests/controls/navigator_fixture.h"

namespace {

TNavButtonSet buttons(std::initializer_list<TNavigateBtn> kinds) {
    TNavButtonSet set;
    for (TNavigateBtn kind : kinds) {
        set.set(kind);
    }
    return set;
}

PropertyValue buttonNames(std::vector<std::string> names) {
    PropertyValue value;
    value.kind = PropertyValue::Kind::Set;
    value.items = std::move(names);
    return value;
}

// Every shown button has its share of the width, left to right from 0, and
// the full height; hidden ones are hidden.
void expectButtonsShareTheBar(const TDBNavigator& navigator) {
    const int shown = std::max<int>(1, navigator.visibleButtons().count());
    const int buttonWidth = navigator.width() / shown;
    int x = 0;
    for (TNavigateBtn kind : allNavigateBtns) {
        SCOPED_TRACE(navigateBtnName(kind));
        NavigatorButton* button = navigator.button(kind);
        if (navigator.visibleButtons().test(kind)) {
            EXPECT_TRUE(button->isVisible());
            EXPECT_EQ(button->geometry(), QRect(x, 0, buttonWidth, navigator.height()));
            x += buttonWidth;
        } else {
            EXPECT_FALSE(button->isVisible());
        }
    }
    if (navigator.visibleButtons().any()) {
        EXPECT_EQ(x, navigator.width());
    }
}

}  // namespace

TEST(NavigatorLayout, SnapsToWholeButtonsAndKeepsTheMinimumSize) {
    const TNavButtonSet moves = buttons({nbFirst, nbPrior, nbNext, nbLast});
    struct Case {
        TNavButtonSet visible;
        QSize asked;
        QSize snapped;
    };
    const Case cases[] = {
        {allNavButtons(), {240, 25}, {240, 25}},
        {allNavButtons(), {241, 25}, {240, 25}},
        {allNavButtons(), {239, 25}, {230, 25}},
        {allNavButtons(), {249, 30}, {240, 30}},
        {allNavButtons(), {150, 10}, {200, 18}},
        {allNavButtons(), {0, 0}, {200, 18}},
        {moves, {241, 25}, {240, 25}},
        {moves, {50, 25}, {80, 25}},
        {buttons({nbPost, nbCancel, nbRefresh}), {100, 25}, {99, 25}},
        // With nothing shown the bar still counts one button.
        {TNavButtonSet(), {5, 5}, {20, 18}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.asked.width() << " x " << c.asked.height() << ", "
                                          << c.visible.count() << " buttons");
        NavigatorWindow w;
        w.navigator->setVisibleButtons(c.visible);
        w.navigator->resize(c.asked);
        EXPECT_EQ(w.navigator->size(), c.snapped);
        expectButtonsShareTheBar(*w.navigator);
    }
}

// Read from a window description, the size snaps only once loading is done.
TEST(NavigatorLayout, SnapsOnceLoaded) {
    NavigatorWindow w;
    PropertyValue width;
    width.integer = 241;
    w.navigator->beginLoading();
    w.navigator->readSetting("Width", width);
    EXPECT_EQ(w.navigator->width(), 241);
    w.navigator->loaded();
    EXPECT_EQ(w.navigator->width(), 240);
    expectButtonsShareTheBar(*w.navigator);
}

TEST(NavigatorLayout, ReadsTheVisibleButtonsByName) {
    NavigatorWindow w;
    w.navigator->readSetting("VisibleButtons", buttonNames({"nbInsert", "nbDelete", "nbRefresh"}));
    EXPECT_EQ(w.navigator->visibleButtons(), buttons({nbInsert, nbDelete, nbRefresh}));
    EXPECT_EQ(w.navigator->width(), 240);
    expectButtonsShareTheBar(*w.navigator);
    EXPECT_THROW(w.navigator->readSetting("VisibleButtons", buttonNames({"nbFirst", "nbAcross"})),
                 EReadError);
}
