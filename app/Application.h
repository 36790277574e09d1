#pragma once
// TApplication: the application object. It derives the application title from
// the executable's file name, carries the program's icon, and shows every
// error that an event handler raises in the error box; the program goes on.

#include <QApplication>
#include <cstdint>
#include <exception>

class TApplication : public QApplication {
    Q_OBJECT
public:
    // argv goes to Qt only; the program reads no arguments of its own.
    TApplication(int& argc, char** argv);

    // "Checkgrid" for the executable checkgrid: the error box's caption.
    QString title() const { return title_; }
    // The executable's file name without its path.
    QString moduleName() const;

    // Every event goes through here: an error raised while it is handled is
    // shown in the error box (an EAbort silently) and the event counts as
    // not handled.
    bool notify(QObject* receiver, QEvent* event) override;

    // The error box: caption the title, error icon, one OK button, the
    // message with the full-stop rule. A mouse capture is cancelled first.
    void showException(const std::exception& error) const;

    // The "Application Error" box for a failure before the window exists;
    // `address` is the place in the program, relative to its start, where
    // start-up was when the failure came back to it.
    void showStartupFailure(const std::exception& error, std::uintptr_t address) const;

private:
    QString title_;
};

// The class name the boxes give for an error: the program's own error
// classes by their names, any other exception by its C++ type.
QString errorClassName(const std::exception& error);
