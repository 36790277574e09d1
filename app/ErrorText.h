#pragma once
// The texts of the program's error boxes.

#include <QString>
#include <cstdint>

// The message as the error box shows it: a "." is appended when the message
// is not empty and its last character sorts after "." in character code
// (letters and digits do; ".", "!", ",", ")" and a blank do not).
QString withFullStop(const QString& message);

// The "Application Error" text for a failure before the window exists:
// "Exception <class> in module <module> at <address>." and, on a second line,
// the message with the full-stop rule. The address has eight hex digits.
QString startupFailureText(const QString& className, const QString& module, std::uintptr_t address,
                           const QString& message);

// The text of a fatal error that ends the program: the number right-aligned
// in the blanks of "Runtime error     at 00000000" so that one blank stays
// before "at", and the address as eight upper-case hex digits.
QString runtimeErrorText(int number, std::uintptr_t address);
