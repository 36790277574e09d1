#pragma once
// Errors of the record set and its storage engine.

#include "component/Exceptions.h"

// A record-set or field error. Record-set errors carry the set's name:
// "ClientDataSet1: Dataset not in edit or insert mode"; field-value errors do not.
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
    const char* className() const override { return "EDatabaseError"; }
};

// A failure status of the storage engine, with the engine's own text.
class EDBClient : public EDatabaseError {
public:
    EDBClient(const std::string& message, int status) : EDatabaseError(message), status_(status) {}
    const char* className() const override { return "EDBClient"; }
    int status() const { return status_; }

private:
    int status_;
};
