#pragma once
// The application title: the text the error box is captioned with, derived
// from the executable's file name.

#include <QString>

// Drops the path, cuts the name at its first ".", capitalises the first
// character and lowers every character after it: "/opt/DEMO.EXE" gives "Demo",
// "checkgrid" gives "Checkgrid".
QString applicationTitleFromFile(const QString& executablePath);
