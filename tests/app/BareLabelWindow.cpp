// The smallest Qt window with one label, titled "Bare": the yardstick for the
// program's start-up time.

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("AInt="));
    label.setWindowTitle(QStringLiteral("Bare"));
    label.setGeometry(201, 206, 574, 438);
    label.show();
    return application.exec();
}
