#pragma once
// The application object for the navigator tests. Like the program's own, it
// catches every error that escapes an event handler and shows it through the
// dialogs interface (the scripted one in tests); it also keeps the class name
// and message of each, so tests can tell which error arrived.

#include <QApplication>
#include <string>
#include <vector>

#include "component/Exceptions.h"
#include "controls/Dialogs.h"

struct ReportedError {
    std::string className;
    std::string message;
};

class NavigatorTestApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const EAbort&) {
        } catch (const Exception& error) {
            reported.push_back({error.className(), error.message()});
            DialogRequest request;
            request.caption = applicationName();
            request.icon = DialogIcon::Error;
            request.text = QString::fromStdString(error.message());
            dialogs().show(request);
        }
        return false;
    }

    static NavigatorTestApplication& instance() {
        return *static_cast<NavigatorTestApplication*>(QCoreApplication::instance());
    }

    std::vector<ReportedError> reported;
};
