// The main window built from its stored description, as the user meets it.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "component/DescriptionReader.h"
#include "component/Exceptions.h"
#include "controls/DBCheckBox.h"
#include "controls/DBGrid.h"
#include "controls/DBNavigator.h"
#include "controls/DBText.h"
#include "controls/Label.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "form/ComponentClasses.h"
#include "form/Form1.h"
#include "form/StoredDescription.h"

namespace {

class Form1Test : public testing::Test {
protected:
    std::unique_ptr<TForm1> form = createForm1();

    void showAndActivate() {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
};

QString accessibleName(QObject* object) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    return accessible ? accessible->text(QAccessible::Name) : QStringLiteral("<none>");
}

TEST_F(Form1Test, OpensAtItsStoredPlaceAndSizeWithItsTitle) {
    showAndActivate();
    EXPECT_EQ(form->windowTitle(), "Form1");
    EXPECT_EQ(accessibleName(form.get()), "Form1");
    // No window manager frames the window here: the client area takes the whole outer size.
    EXPECT_EQ(form->frameGeometry(), QRect(201, 206, 574, 438));
    EXPECT_EQ(form->font().pixelSize(), 11);
    EXPECT_EQ(form->palette().color(QPalette::Window), form->palette().color(QPalette::Button));
    EXPECT_EQ(form->clientArea()->palette().color(QPalette::Window),
              form->palette().color(QPalette::Button));
}

TEST_F(Form1Test, OwnsTheEighteenComponentsThroughItsFields) {
    struct Field {
        const char* name;
        const char* className;
        TComponent* component;
    };
    const Field expected[] = {
        {"ClientDataSet1", "TClientDataSet", form->ClientDataSet1},
        {"DataSource1", "TDataSource", form->DataSource1},
        {"DBNavigator1", "TDBNavigator", form->DBNavigator1},
        {"DBGrid1", "TDBGrid", form->DBGrid1},
        {"ClientDataSet1AInt", "TIntegerField", form->ClientDataSet1AInt},
        {"ClientDataSet1AStr", "TStringField", form->ClientDataSet1AStr},
        {"ClientDataSet1ABoolean", "TBooleanField", form->ClientDataSet1ABoolean},
        {"DBText1", "TDBText", form->DBText1},
        {"Label1", "TLabel", form->Label1},
        {"Label2", "TLabel", form->Label2},
        {"Label3", "TLabel", form->Label3},
        {"DBText2", "TDBText", form->DBText2},
        {"ClientDataSet1StrShowCheck", "TStringField", form->ClientDataSet1StrShowCheck},
        {"Label4", "TLabel", form->Label4},
        {"DBText3", "TDBText", form->DBText3},
        {"DBCheckBox1", "TDBCheckBox", form->DBCheckBox1},
        {"DBCheckBox2", "TDBCheckBox", form->DBCheckBox2},
        {"DBCheckBox3", "TDBCheckBox", form->DBCheckBox3},
    };
    EXPECT_EQ(form->components().size(), 18u);
    for (const Field& field : expected) {
        SCOPED_TRACE(field.name);
        ASSERT_NE(field.component, nullptr);
        EXPECT_EQ(field.component->name(), field.name);
        EXPECT_STREQ(field.component->className(), field.className);
        EXPECT_EQ(field.component->owner(), form.get());
        EXPECT_EQ(form->findComponent(field.name), field.component);
        if (auto* control = dynamic_cast<TControl*>(field.component)) {
            EXPECT_EQ(control->parentWidget(), form->clientArea());
        }
    }
    EXPECT_EQ(form->ClientDataSet1AStr->dataSet(), form->ClientDataSet1);
    EXPECT_EQ(form->DataSource1->dataSet(), form->ClientDataSet1);
    EXPECT_EQ(form->DBText2->dataSource(), form->DataSource1);
    EXPECT_EQ(form->DBText3->dataField(), "StrShowCheck");
}

TEST_F(Form1Test, FieldsForgetAComponentFreedBeforeTheWindow) {
    delete form->Label3;
    EXPECT_EQ(form->Label3, nullptr);
    EXPECT_EQ(form->components().size(), 17u);
}

TEST_F(Form1Test, StartsWithTheRecordSetOpenAndEmpty) {
    EXPECT_EQ(form->ClientDataSet1->state(), TDataSetState::dsBrowse);
    EXPECT_EQ(form->ClientDataSet1->recordCount(), 0);
    for (TDBText* text : {form->DBText1, form->DBText2, form->DBText3}) {
        EXPECT_EQ(text->shownText(), "") << text->name();
        EXPECT_EQ(accessibleName(text), "") << text->name();
    }
}

TEST_F(Form1Test, LabelsShowTheirCaptionsWhole) {
    showAndActivate();
    const std::pair<TLabel*, QString> captions[] = {
        {form->Label1, QStringLiteral("本程序演示用 DBGrid 来显示非Boolean类型的字段为CheckBox")},
        {form->Label2, QStringLiteral("AInt=")},
        {form->Label3, QStringLiteral("AStr=")},
        {form->Label4, QStringLiteral("StrShowCheck=")},
    };
    for (const auto& [label, caption] : captions) {
        SCOPED_TRACE(label->name());
        EXPECT_EQ(label->shownText(), caption);
        EXPECT_EQ(accessibleName(label), caption);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(label)->role(), QAccessible::StaticText);
        EXPECT_EQ(label->pos(), label->storedBounds().topLeft());
        // Sized to its text, so nothing of the caption is cut.
        const QFontMetrics metrics(label->font());
        EXPECT_GE(label->width(), metrics.horizontalAdvance(caption));
        EXPECT_LE(label->width(), metrics.horizontalAdvance(caption) + 2);
        EXPECT_GE(label->height(), metrics.height());
        EXPECT_FALSE(label->focusPolicy() & Qt::TabFocus);
    }
    EXPECT_EQ(form->Label1->shownText().size(), 39);

    // The caption is drawn up to the label's right end.
    QImage image = form->Label1->grab().toImage();
    const QRgb background = form->palette().color(QPalette::Window).rgb();
    int rightmostInk = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) != background) {
                rightmostInk = x;
            }
        }
    }
    EXPECT_GE(rightmostInk, image.width() - 12);
}

TEST_F(Form1Test, TextsShowTheCurrentRecordsFields) {
    TClientDataSet& set = *form->ClientDataSet1;
    set.insert();
    // The after-insert handler gave the new record AInt = 1.
    EXPECT_EQ(form->DBText1->shownText(), "1");
    EXPECT_EQ(form->DBText2->shownText(), "");
    form->ClientDataSet1AStr->setAsString("a&b");
    form->ClientDataSet1StrShowCheck->setAsString("aa");
    EXPECT_EQ(form->DBText2->shownText(), "a&b");
    EXPECT_EQ(accessibleName(form->DBText2), "a&b");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form->DBText2)->role(),
              QAccessible::StaticText);
    EXPECT_EQ(form->DBText3->shownText(), "aa");
    EXPECT_EQ(form->DBText1->size(), QSize(65, 17));

    set.post();
    EXPECT_EQ(set.recordCount(), 1);
    EXPECT_EQ(form->DBText1->shownText(), "1");
    set.insert();
    EXPECT_EQ(form->DBText2->shownText(), "");
    set.cancel();
    EXPECT_EQ(form->DBText2->shownText(), "a&b");
    set.close();
    for (TDBText* text : {form->DBText1, form->DBText2, form->DBText3}) {
        EXPECT_EQ(text->shownText(), "") << text->name();
    }
}

TEST_F(Form1Test, AfterInsertHandlerWritesTheFirstFieldByPosition) {
    // The same window with AStr stored first: the handler writes field 0, whatever its name.
    std::string text = storedDescription("TForm1");
    const std::string aInt =
        "    component ClientDataSet1AInt TIntegerField\n      FieldName = \"AInt\"\n\n";
    const std::size_t at = text.find(aInt);
    ASSERT_NE(at, std::string::npos);
    text.erase(at, aInt.size());
    const std::string source = "  component DataSource1";
    text.insert(text.find(source) - 1, "\n" + aInt);
    std::unique_ptr<TForm1> reordered = createForm1(text, windowComponentClasses());
    ASSERT_EQ(reordered->ClientDataSet1->fields().at(0), reordered->ClientDataSet1AStr);
    reordered->ClientDataSet1->insert();
    EXPECT_EQ(reordered->ClientDataSet1AStr->asString(), "1");
    EXPECT_TRUE(reordered->ClientDataSet1AInt->isNull());
    EXPECT_TRUE(reordered->ClientDataSet1->modified());
}

TEST_F(Form1Test, FocusStartsInTheGridAndTabWrapsAroundTheCheckBoxes) {
    std::vector<std::string> order;
    for (TControl* stop : form->tabStops()) {
        order.push_back(stop->name());
    }
    EXPECT_EQ(order,
              (std::vector<std::string>{"DBGrid1", "DBCheckBox1", "DBCheckBox2", "DBCheckBox3"}));
    showAndActivate();
    auto focusedControl = [this]() -> QWidget* {
        QWidget* focus = QApplication::focusWidget();
        for (QWidget* control :
             {static_cast<QWidget*>(form->DBGrid1), static_cast<QWidget*>(form->DBCheckBox1),
              static_cast<QWidget*>(form->DBCheckBox2), static_cast<QWidget*>(form->DBCheckBox3),
              static_cast<QWidget*>(form->DBNavigator1)}) {
            if (focus && (focus == control || control->isAncestorOf(focus))) {
                return control;
            }
        }
        return focus;
    };
    EXPECT_EQ(focusedControl(), form->DBGrid1);

    form->DBCheckBox1->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focusedControl(), form->DBCheckBox2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focusedControl(), form->DBCheckBox3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focusedControl(), form->DBGrid1);

    form->DBCheckBox1->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focusedControl(), form->DBGrid1);
}

struct ClientSize {
    int width, height;
    bool horizontalBar, verticalBar;
};

TEST_F(Form1Test, ScrollBarsAppearWhileTheClientAreaIsSmallerThanTheControls) {
    showAndActivate();
    // DBText3 ends at 537, the navigator at 385.
    EXPECT_EQ(static_cast<QWidget*>(form->clientArea())->minimumSize(), QSize(537, 385));
    const ClientSize sizes[] = {
        {574, 438, false, false}, {537, 600, false, false}, {536, 600, true, false},
        {700, 385, false, false}, {700, 384, false, true},  {400, 300, true, true},
    };
    for (const ClientSize& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
        form->resize(size.width, size.height);
        QApplication::processEvents();
        EXPECT_EQ(form->scrollArea()->horizontalScrollBar()->isVisible(), size.horizontalBar);
        EXPECT_EQ(form->scrollArea()->verticalScrollBar()->isVisible(), size.verticalBar);
    }
}

TEST_F(Form1Test, ScalesOnlyWhenTheScreenResolutionDiffers) {
    const QRect gridBounds = form->DBGrid1->geometry();
    form->scaleToScreen(96);
    EXPECT_EQ(form->DBGrid1->geometry(), gridBounds);
    EXPECT_EQ(form->font().pixelSize(), 11);

    form->scaleToScreen(192);
    EXPECT_EQ(form->font().pixelSize(), 22);
    // Bounds follow the height of "0" in the doubled font against 13: about twice.
    const QRect scaled = form->DBGrid1->geometry();
    EXPECT_NEAR(scaled.left(), 2 * gridBounds.left(), gridBounds.left() / 3);
    EXPECT_NEAR(scaled.width(), 2 * gridBounds.width(), gridBounds.width() / 3);
    EXPECT_NEAR(scaled.height(), 2 * gridBounds.height(), gridBounds.height() / 3);
}

TEST(Form1Creation, AMalformedDescriptionLeavesNoWindowBehind) {
    const auto windowsBefore = QApplication::topLevelWidgets().size();
    std::string text = storedDescription("TForm1");
    const std::size_t at = text.find("TDBGrid");
    text.replace(at, 7, "TDBGrud");
    const auto line = 1 + std::count(text.begin(), text.begin() + at, '\n');
    try {
        createForm1(text, windowComponentClasses());
        FAIL() << "a window was built";
    } catch (const EReadError& error) {
        EXPECT_EQ(error.what(),
                  "Line " + std::to_string(line) + ": class TDBGrud is not registered");
    }
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore);
}

}  // namespace
