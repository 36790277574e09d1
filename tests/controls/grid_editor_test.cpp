// The in-place editor of the text column AStr: what opens it, the edit
// request typing makes, the 12-character limit, and every way its text
// reaches the record (Enter, moving, post, losing the focus) or is dropped (Esc).

#include "tests/controls/grid_fixture.h"

namespace gridtest {
namespace {

class Editor : public GridFixture {
protected:
    QLineEdit* editor() const { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }
    bool editorOpen() const { return editor() && grid->isAncestorOf(editor()); }
};

TEST_F(Editor, ATypedCharacterOpensItAndIsItsText) {
    addRecord({1, "old", true, "aa"});
    click(0, kAStr);
    ASSERT_FALSE(editorOpen()) << "the first click only makes the cell current";
    type(QStringLiteral("x"));
    ASSERT_TRUE(editorOpen());
    EXPECT_EQ(editor()->text(), QStringLiteral("x"));
    EXPECT_EQ(set().state(), TDataSetState::dsEdit);
    EXPECT_EQ(data.aStr->asString(), "old") << "not written before Enter";
    key(Qt::Key_Return);
    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(data.aStr->asString(), "x");
    EXPECT_EQ(set().state(), TDataSetState::dsEdit);
}

TEST_F(Editor, F2EnterAndAClickOnTheCurrentCellOpenItWithTheFieldsText) {
    addRecord({1, "old", true, "aa"});
    click(0, kAStr);
    click(0, kAStr);
    ASSERT_TRUE(editorOpen());
    EXPECT_EQ(editor()->text(), QStringLiteral("old"));
    key(Qt::Key_Escape);
    ASSERT_FALSE(editorOpen());
    key(Qt::Key_F2);
    EXPECT_TRUE(editorOpen());
    key(Qt::Key_Return);
    ASSERT_FALSE(editorOpen());
    key(Qt::Key_Return);
    EXPECT_TRUE(editorOpen());
    EXPECT_EQ(set().state(), TDataSetState::dsBrowse) << "opening does not edit";
}

TEST_F(Editor, AcceptsAtMostTwelveCharactersAndItsTextIsPosted) {
    addRecord({1, "", true, "aa"});
    click(0, kAStr);
    type(QStringLiteral("abcdefghijklmno"));
    EXPECT_EQ(editor()->text(), QStringLiteral("abcdefghijkl"));
    key(Qt::Key_Return);
    set().post();
    set().first();
    EXPECT_EQ(data.aStr->asString(), "abcdefghijkl");
}

TEST_F(Editor, TheLimitCountsTheBytesAsStored) {
    addRecord({1, "", true, "aa"});
    click(0, kAStr);
    // Five characters of three bytes each: only four fit into twelve bytes.
    const QString wide = QString::fromUtf8("\u4e00\u4e8c\u4e09\u56db\u4e94");
    for (QChar c : wide) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }
    key(Qt::Key_Return);
    EXPECT_EQ(data.aStr->asString(), wide.left(4).toStdString());
}

TEST_F(Editor, PendingTextIsWrittenBeforeAPost) {
    addRecord({1, "old", true, "aa"});
    click(0, kAStr);
    type(QStringLiteral("new"));
    set().post();  // as the navigator's Post does
    EXPECT_EQ(set().state(), TDataSetState::dsBrowse);
    EXPECT_EQ(data.aStr->asString(), "new");
}

TEST_F(Editor, MovingToAnotherRecordOrColumnWritesTheText) {
    addRecord({1, "one", true, "aa"});
    addRecord({1, "two", true, "aa"});
    set().first();
    click(0, kAStr);
    type(QStringLiteral("uno"));
    key(Qt::Key_Down);
    EXPECT_EQ(set().recNo(), 2);
    EXPECT_EQ(set().state(), TDataSetState::dsBrowse);
    click(1, kAStr);
    type(QStringLiteral("dos"));
    key(Qt::Key_Tab);
    EXPECT_EQ(data.aStr->asString(), "dos");
    set().post();
    set().first();
    EXPECT_EQ(data.aStr->asString(), "uno");
}

TEST_F(Editor, LosingTheFocusWritesTheText) {
    addRecord({1, "old", true, "aa"});
    click(0, kAStr);
    type(QStringLiteral("new"));
    QTest::mouseClick(other, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), other);
    EXPECT_EQ(data.aStr->asString(), "new");
    EXPECT_EQ(set().state(), TDataSetState::dsEdit);
}

TEST_F(Editor, EscFirstDropsTheTypedTextThenCancels) {
    addRecord({1, "old", true, "aa"});
    click(0, kAStr);
    type(QStringLiteral("new"));
    key(Qt::Key_Escape);
    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(set().state(), TDataSetState::dsEdit);
    EXPECT_EQ(data.aStr->asString(), "old");
    key(Qt::Key_Escape);
    EXPECT_EQ(set().state(), TDataSetState::dsBrowse);
}

TEST_F(Editor, TypingOnTheEmptySetInsertsARecord) {
    key(Qt::Key_Right);
    type(QStringLiteral("hi"));
    EXPECT_EQ(set().state(), TDataSetState::dsInsert);
    EXPECT_EQ(editor()->text(), QStringLiteral("hi"));
    EXPECT_EQ(data.aInt->asInteger(), 1);
    key(Qt::Key_Down);  // posts, then appends the next
    EXPECT_EQ(set().recordCount(), 1);
    set().cancel();
    set().first();
    EXPECT_EQ(data.aStr->asString(), "hi");
}

TEST_F(Editor, TypingIsRefusedWhenTheRecordSetCannotEdit) {
    addRecord({1, "old", true, "aa"});
    data.source->setAutoEdit(false);
    click(0, kAStr);
    type(QStringLiteral("x"));
    EXPECT_EQ(set().state(), TDataSetState::dsBrowse);
    if (editorOpen()) {
        EXPECT_EQ(editor()->text(), QStringLiteral("old"));
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

struct ExitCase {
    const char* name;
    bool handlerModifies;  // the after-insert handler writes AInt
    TDataSetState stateAfterExit;
};

class CancelOnExit : public GridFixture, public testing::WithParamInterface<ExitCase> {};

TEST_P(CancelOnExit, LeavingAnUntouchedInsertCancelsIt) {
    addRecord({0, "only", true, "aa"});
    if (!GetParam().handlerModifies) {
        set().AfterInsert = nullptr;
    }
    key(Qt::Key_Insert);
    ASSERT_EQ(set().state(), TDataSetState::dsInsert);
    QTest::mouseClick(other, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), other);
    EXPECT_EQ(set().state(), GetParam().stateAfterExit);
    EXPECT_EQ(set().recordCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Focus, CancelOnExit,
                         testing::Values(ExitCase{"Untouched", false, TDataSetState::dsBrowse},
                                         ExitCase{"ModifiedByTheHandler", true,
                                                  TDataSetState::dsInsert}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace gridtest
