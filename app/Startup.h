#pragma once
// The program's main sequence: create the main window, show it, run the
// event loop, free the window.

#include <QWidget>
#include <functional>
#include <memory>

#include "app/Application.h"

using MainWindowFactory = std::function<std::unique_ptr<QWidget>()>;

// Returns the exit code: the event loop's (0 after the window is closed), or
// 1 when the window cannot be created; then the partly built window is freed,
// no window is shown, and the "Application Error" box tells why.
int runMainWindow(TApplication& application, const MainWindowFactory& createWindow);
