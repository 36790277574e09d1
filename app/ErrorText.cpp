#include "app/ErrorText.h"

namespace {

QString eightHexDigits(std::uintptr_t address) {
    return QStringLiteral("%1")
        .arg(static_cast<qulonglong>(address), 8, 16, QLatin1Char('0'))
        .toUpper();
}

}  // namespace

QString withFullStop(const QString& message) {
    if (!message.isEmpty() && message.back() > u'.') {
        return message + u'.';
    }
    return message;
}

QString startupFailureText(const QString& className, const QString& module, std::uintptr_t address,
                           const QString& message) {
    return QStringLiteral("Exception %1 in module %2 at %3.\n%4")
        .arg(className, module, eightHexDigits(address), withFullStop(message));
}

QString runtimeErrorText(int number, std::uintptr_t address) {
    // "Runtime error" is followed by five blanks; the number is right-aligned
    // in the first four of them, the fifth stays before "at".
    return QStringLiteral("Runtime error%1 at %2").arg(number, 4).arg(eightHexDigits(address));
}
