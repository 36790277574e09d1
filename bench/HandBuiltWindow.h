#pragma once
// The main window built by hand: a blank TForm1 given the same eighteen
// components and settings as its stored description, through the
// components' own setters instead of the description parser and reader. The
// baseline for the cost of building the window from its description.

#include <memory>

#include "form/Form1.h"

std::unique_ptr<TForm1> buildForm1ByHand();
