#pragma once
// The one error hierarchy of the program. Every error carries the message that
// users read; the error box shows it. Qt-free.

#include <stdexcept>
#include <string>

// Root of every error the program raises on purpose.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string message() const { return what(); }
    // The class name as the "Application Error" box names it.
    virtual const char* className() const { return "Exception"; }
};

// The silent error: it ends the current operation and shows nothing.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
    const char* className() const override { return "EAbort"; }
};

// A stored resource (the window description) is missing.
class EResNotFound : public Exception {
public:
    using Exception::Exception;
    const char* className() const override { return "EResNotFound"; }
};

// A malformed window description; the message names the line.
class EReadError : public Exception {
public:
    using Exception::Exception;
    const char* className() const override { return "EReadError"; }
};
