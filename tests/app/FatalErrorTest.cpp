// An error that nothing can catch any more ends the program with the
// "Runtime error" box.

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

#include "app/FatalError.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

// Writes each box it is asked to show to stderr, where the death test reads it.
struct PrintingDialogs : ScriptedDialogs {
    DialogButton show(const DialogRequest& request) override {
        std::fprintf(stderr, "[%s|%s|%s]\n", qPrintable(request.caption),
                     request.icon == DialogIcon::Error ? "error icon" : "other icon",
                     qPrintable(request.text));
        return ScriptedDialogs::show(request);
    }
};

void raise() {
    throw std::runtime_error("escaping a destructor");
}

struct RaisesWhenFreed {
    ~RaisesWhenFreed() { raise(); }  // destructors do not let exceptions out: terminate
};

TEST(FatalErrorDeathTest, AnExceptionLeavingADestructorShowsTheRuntimeErrorBox) {
    EXPECT_EXIT(
        {
            PrintingDialogs dialogs;
            installFatalErrorHandler();
            RaisesWhenFreed raising;
        },
        testing::ExitedWithCode(217), "\\[Error\\|error icon\\|Runtime error 217 at 00000000\\]");
}

}  // namespace
