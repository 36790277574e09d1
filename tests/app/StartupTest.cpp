// The main sequence: a window that cannot be built ends the program with the
// "Application Error" box and exit code 1, showing no window; a window that is
// closed ends it with exit code 0, whatever was being edited.

#include <gtest/gtest.h>

#include "tests/app/QStringPrinter.h"

#include <QRegularExpression>
#include <QTimer>

#include "app/Startup.h"
#include "component/DescriptionParser.h"
#include "data/DataSet.h"
#include "form/ComponentClasses.h"
#include "form/Form1.h"
#include "form/StoredDescription.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

TApplication& application() {
    return *static_cast<TApplication*>(QApplication::instance());
}

int visibleWindows() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        count += widget->isVisible() ? 1 : 0;
    }
    return count;
}

// Notes how many windows were visible while each box was up.
struct WatchingDialogs : ScriptedDialogs {
    std::vector<int> windowsDuringBox;
    DialogButton show(const DialogRequest& request) override {
        windowsDuringBox.push_back(visibleWindows());
        return ScriptedDialogs::show(request);
    }
};

// The stored description with one piece of text replaced.
std::string storedWith(const std::string& from, const std::string& to) {
    std::string text = storedDescription("TForm1");
    const std::size_t at = text.find(from);
    if (at == std::string::npos) {
        throw std::runtime_error("not in the description: " + from);
    }
    return text.replace(at, from.size(), to);
}

const std::string packetHex =
    "    Data = hex\n"
    "      72 00 00 00 96 19 E0 BD 01 00 00 00 18 00 00 00\n";

struct Failure {
    const char* what;
    std::function<std::string()> description;  // empty: the stored resource is missing
    const char* className;
    const char* message;  // a pattern for the second line
};

class StartupFailure : public testing::TestWithParam<Failure> {};

TEST_P(StartupFailure, ShowsTheApplicationErrorBoxAndEndsWithExitCodeOne) {
    const Failure& failure = GetParam();
    WatchingDialogs dialogs;
    const int topLevelsBefore = static_cast<int>(QApplication::topLevelWidgets().size());
    // Should a window open after all, it is closed again at once.
    QTimer closer;
    closer.setSingleShot(true);
    QObject::connect(&closer, &QTimer::timeout, [] { QApplication::closeAllWindows(); });
    closer.start(0);
    const int exitCode = runMainWindow(application(), [&]() -> std::unique_ptr<QWidget> {
        if (!failure.description) {
            auto form = std::make_unique<TForm1>();
            form->load(storedDescription("TMissingForm"), windowComponentClasses());
            return form;
        }
        return createForm1(failure.description(), windowComponentClasses());
    });
    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const DialogRequest& box = dialogs.shown[0];
    EXPECT_EQ(box.caption, "Application Error");
    EXPECT_EQ(box.icon, DialogIcon::Error);
    EXPECT_EQ(box.buttons, std::vector<DialogButton>{DialogButton::Ok});
    const QStringList lines = box.text.split(u'\n');
    ASSERT_EQ(lines.size(), 2) << box.text.toStdString();
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^Exception %1 in module app_tests at [0-9A-F]{8}\\.$")
                               .arg(QString::fromLatin1(failure.className)))
            .match(lines[0])
            .hasMatch())
        << lines[0].toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^%1$").arg(QString::fromUtf8(failure.message)))
                    .match(lines[1])
                    .hasMatch())
        << lines[1].toStdString();
    // No window was shown, and the partly built one is gone.
    EXPECT_EQ(dialogs.windowsDuringBox, std::vector<int>{0});
    EXPECT_EQ(QApplication::topLevelWidgets().size(), topLevelsBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartupFailure,
    testing::Values(
        Failure{"packet_missing",
                [] {
                    std::string text = storedDescription("TForm1");
                    const std::size_t from = text.find("    Data = hex\n");
                    const std::size_t to = text.find("    component ClientDataSet1AInt");
                    return text.erase(from, to - from);
                },
                "EDatabaseError", "ClientDataSet1: Missing data provider or data packet\\."},
        Failure{"packet_empty",
                [] {
                    std::string text = storedDescription("TForm1");
                    const std::size_t from = text.find("    Data = hex\n");
                    const std::size_t to = text.find("    component ClientDataSet1AInt");
                    return text.replace(from, to - from, "    Data = hex\n      00 00 00 00\n\n");
                },
                "EDatabaseError", "ClientDataSet1: Missing data provider or data packet\\."},
        Failure{"packet_rejected",
                [] { return storedWith("72 00 00 00 96 19 E0 BD", "72 00 00 00 00 00 00 00"); },
                "EDBClient", ".+\\."},
        Failure{"field_not_found",
                [] {
                    return storedWith(
                        "ClientDataSet1AInt TIntegerField\n      FieldName = \"AInt\"",
                        "ClientDataSet1AInt TIntegerField\n      FieldName = \"AInteger\"");
                },
                "EDatabaseError", "ClientDataSet1: Field 'AInteger' not found\\."},
        Failure{"field_of_another_type",
                [] {
                    return storedWith(
                        "ClientDataSet1AInt TIntegerField\n      FieldName = \"AInt\"",
                        "ClientDataSet1AInt TIntegerField\n      FieldName = \"ABoolean\"");
                },
                "EDatabaseError",
                "ClientDataSet1: Type mismatch for field 'ABoolean', expecting: \\w+ actual: "
                "\\w+\\."},
        Failure{"component_of_another_class",
                [] {
                    return storedWith("ClientDataSet1ABoolean TBooleanField",
                                      "ClientDataSet1ABoolean TIntegerField");
                },
                "EReadError",
                "Line \\d+: the window's field ClientDataSet1ABoolean cannot hold a "
                "TIntegerField\\."},
        Failure{"field_longer_than_its_column", [] { return storedWith("Size = 12", "Size = 13"); },
                "EDatabaseError",
                "ClientDataSet1: Size mismatch for field 'AStr', expecting: 13 actual: 12\\."},
        Failure{"control_bound_to_a_missing_field",
                [] { return storedWith("DataField = \"AStr\"", "DataField = \"AString\""); },
                "EDatabaseError", "DBText2: Field 'AString' not found\\."},
        Failure{"description_missing", nullptr, "EResNotFound",
                "Resource TMissingForm not found\\."},
        Failure{"description_malformed",
                [] { return storedWith("Caption = \"Form1\"", "Caption = \"Form1"); }, "EReadError",
                "Line 10: string not closed: a \" is missing at its end\\."}),
    [](const testing::TestParamInfo<Failure>& info) { return std::string(info.param.what); });

TEST(MainSequence, ClosingWithANewRecordPendingAsksNothingAndEndsWithExitCodeZero) {
    WatchingDialogs dialogs;
    TForm1* window = nullptr;
    bool shownAtItsPlace = false;
    TDataSetState stateAtClose = TDataSetState::dsInactive;
    QTimer::singleShot(0, [&] {
        shownAtItsPlace =
            window->isVisible() && window->frameGeometry() == QRect(201, 206, 574, 438);
        window->ClientDataSet1->insert();
        window->ClientDataSet1->post();
        window->ClientDataSet1->insert();
        stateAtClose = window->ClientDataSet1->state();
        window->close();
    });
    const int exitCode = runMainWindow(application(), [&] {
        std::unique_ptr<TForm1> form = createForm1();
        window = form.get();
        return std::unique_ptr<QWidget>(std::move(form));
    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(shownAtItsPlace);
    EXPECT_EQ(stateAtClose, TDataSetState::dsInsert);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(visibleWindows(), 0);

    // The next start shows the empty record set again.
    int recordsAtNextStart = -1;
    QTimer::singleShot(0, [&] {
        recordsAtNextStart = window->ClientDataSet1->recordCount();
        window->close();
    });
    EXPECT_EQ(runMainWindow(application(),
                            [&] {
                                std::unique_ptr<TForm1> form = createForm1();
                                window = form.get();
                                return std::unique_ptr<QWidget>(std::move(form));
                            }),
              0);
    EXPECT_EQ(recordsAtNextStart, 0);
}

}  // namespace
