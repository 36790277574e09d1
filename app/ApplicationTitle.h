#pragma once
// The application title: the text the error box is captioned with, derived
// from the executable's file name.

#include <QString>

// Drops the path, cuts the name at its first ".", and lowers every character
// after the first: "/opt/DEMO.EXE" gives "Demo", "checkgrid" stays "checkgrid".
QString applicationTitleFromFile(const QString& executablePath);
