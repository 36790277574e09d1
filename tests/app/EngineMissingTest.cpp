// Start-up without the storage engine: the record set cannot open, so no
// window is shown, the "Application Error" box names the error, and the exit
// code is 1. A program of its own, because the engine is loaded once per process.

#include <gtest/gtest.h>

#include "app/Startup.h"
#include "data/EngineLoader.h"
#include "form/Form1.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

TEST(EngineMissing, StartupEndsWithTheApplicationErrorBox) {
    ScriptedDialogs dialogs;
    auto& application = *static_cast<TApplication*>(QApplication::instance());
    const int exitCode =
        runMainWindow(application, [] { return std::unique_ptr<QWidget>(createForm1()); });
    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const DialogRequest& box = dialogs.shown[0];
    EXPECT_EQ(box.caption, "Application Error");
    EXPECT_EQ(box.icon, DialogIcon::Error);
    EXPECT_TRUE(box.text.startsWith("Exception Exception in module app_engine_missing_test at "))
        << box.text.toStdString();
    EXPECT_TRUE(box.text.endsWith(".\nError loading libdsengine.so.")) << box.text.toStdString();
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Nothing is found where the engine is looked for.
    engineloader::useLibraryFile("/nonexistent/libdsengine.so");
    TApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
