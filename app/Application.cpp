#include "app/Application.h"

#include <cxxabi.h>

#include <QFileInfo>
#include <QIcon>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "app/ApplicationTitle.h"
#include "app/ErrorText.h"
#include "component/Exceptions.h"
#include "controls/Dialogs.h"

QString errorClassName(const std::exception& error) {
    if (const auto* own = dynamic_cast<const Exception*>(&error)) {
        return QString::fromLatin1(own->className());
    }
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(typeid(error).name(), nullptr, nullptr, &status), &std::free);
    return QString::fromLatin1(status == 0 && demangled ? demangled.get() : typeid(error).name());
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // Qt would append a display name to every window title ("Form1 - ..."),
    // so the title is kept here for the boxes that are captioned with it.
    title_ = applicationTitleFromFile(applicationFilePath());
    setWindowIcon(QIcon(QStringLiteral(":/icons/checkgrid.xpm")));
}

QString TApplication::moduleName() const {
    return QFileInfo(applicationFilePath()).fileName();
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const EAbort&) {
        // The silent error: the operation ends, nothing is shown.
    } catch (const std::exception& error) {
        showException(error);
    }
    return false;
}

void TApplication::showException(const std::exception& error) const {
    if (dynamic_cast<const EAbort*>(&error)) {
        return;
    }
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    DialogRequest request;
    request.caption = title_;
    request.icon = DialogIcon::Error;
    request.text = withFullStop(QString::fromStdString(error.what()));
    request.buttons = {DialogButton::Ok};
    dialogs().show(request);
}

void TApplication::showStartupFailure(const std::exception& error, std::uintptr_t address) const {
    DialogRequest request;
    request.caption = QStringLiteral("Application Error");
    request.icon = DialogIcon::Error;
    request.text = startupFailureText(errorClassName(error), moduleName(), address,
                                      QString::fromStdString(error.what()));
    request.buttons = {DialogButton::Ok};
    dialogs().show(request);
}
