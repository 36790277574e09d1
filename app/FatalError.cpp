#include "app/FatalError.h"

#include <QApplication>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/ErrorText.h"
#include "controls/Dialogs.h"

namespace {

[[noreturn]] void onTerminate() {
    // A second fatal error while the box is up ends the program at once.
    static std::atomic_flag entered = ATOMIC_FLAG_INIT;
    if (entered.test_and_set()) {
        std::_Exit(kUnhandledErrorNumber);
    }
    // No address is known here: the place where the error arose is gone.
    const QString text = runtimeErrorText(kUnhandledErrorNumber, 0);
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        DialogRequest request;
        request.caption = QStringLiteral("Error");
        request.icon = DialogIcon::Error;
        request.text = text;
        request.buttons = {DialogButton::Ok};
        dialogs().show(request);
    } else {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
    // Nothing more may run: the state that led here cannot be trusted.
    std::_Exit(kUnhandledErrorNumber);
}

}  // namespace

void installFatalErrorHandler() {
    std::set_terminate(&onTerminate);
}
