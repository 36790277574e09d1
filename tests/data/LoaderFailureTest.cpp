// The engine loader's failures. The engine is loaded at most once per process,
// so each case runs in a child process of its own and reports through its exit
// code and its error output.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "data/DBErrors.h"
#include "data/EngineLoader.h"
#include "tests/support/WindowRecordSet.h"

namespace {

// Opens the window's record set and exits 0 when the open failed with exactly
// the loader's error and left the set closed.
[[noreturn]] void openExpectingLoadError() {
    WindowRecordSet set(false);
    int code = 1;
    try {
        set.dataSet->open();
        std::fprintf(stderr, "opened\n");
    } catch (const EDatabaseError& error) {
        std::fprintf(stderr, "wrong class: %s\n", error.what());
    } catch (const Exception& error) {
        std::fprintf(stderr, "%s: %s\n", error.className(), error.what());
        if (std::string(error.className()) == "Exception" &&
            std::string(error.what()) == "Error loading libdsengine.so" && !set.dataSet->active()) {
            code = 0;
        }
    }
    std::exit(code);
}

TEST(EngineLoaderDeathTest, AMissingLibraryFailsTheOpen) {
    EXPECT_EXIT(
        {
            engineloader::useLibraryFile("/nonexistent/folder/libdsengine.so");
            openExpectingLoadError();
        },
        ::testing::ExitedWithCode(0), "Exception: Error loading libdsengine.so");
}

TEST(EngineLoaderDeathTest, ALibraryWithoutTheEntryPointFailsTheOpen) {
    EXPECT_EXIT(
        {
            engineloader::useLibraryFile(NO_ENTRY_POINT_LIBRARY);
            openExpectingLoadError();
        },
        ::testing::ExitedWithCode(0), "Exception: Error loading libdsengine.so");
}

TEST(EngineLoaderDeathTest, AFailedLoadIsNotTriedAgain) {
    EXPECT_EXIT(
        {
            engineloader::useLibraryFile("/nonexistent/folder/libdsengine.so");
            try {
                engineloader::entryPoint();
            } catch (const Exception&) {
            }
            // Too late: the one load of the process has happened.
            engineloader::useLibraryFile("");
            openExpectingLoadError();
        },
        ::testing::ExitedWithCode(0), "Error loading libdsengine.so");
}

TEST(EngineLoaderDeathTest, TheLibraryBesideTheExecutableIsFound) {
    EXPECT_EXIT(
        {
            WindowRecordSet set;
            std::exit(set.dataSet->active() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
