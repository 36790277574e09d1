#pragma once
// The application object for control tests: like the program's own, it shows
// every error that escapes an event handler through the dialogs interface (the
// scripted one in tests), and EAbort silently.

#include <QApplication>

#include "component/Exceptions.h"
#include "controls/Dialogs.h"

class ErrorReportingApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const EAbort&) {
        } catch (const Exception& error) {
            DialogRequest request;
            request.caption = applicationName();
            request.icon = DialogIcon::Error;
            request.text = QString::fromStdString(error.message());
            dialogs().show(request);
        }
        return false;
    }
};
