// checkgrid: one window that shows fields which are not Boolean as check boxes.

#include "app/Application.h"
#include "app/FatalError.h"
#include "app/Startup.h"
#include "form/Form1.h"

int main(int argc, char** argv) {
    installFatalErrorHandler();
    TApplication application(argc, argv);
    return runMainWindow(application, [] { return std::unique_ptr<QWidget>(createForm1()); });
}
