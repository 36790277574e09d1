#pragma once
// Failed comparisons of QStrings print the text, not its bytes.

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
