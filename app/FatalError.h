#pragma once
// Errors that the error box cannot report, because nothing can catch them any
// more (an exception leaving a destructor, an exception thrown while another
// one unwinds): the program shows "Runtime error 217 at 00000000" in a box
// captioned "Error" and ends with exit code 217.

// The number of the fatal error: an error that nothing handled.
inline constexpr int kUnhandledErrorNumber = 217;

// Makes std::terminate show the box and end the program.
void installFatalErrorHandler();
