#pragma once
// The window's record set as the random-use test sees it: the records as the
// storage engine holds them, read through a cursor of the test's own so that
// reading moves nothing the window uses; and the values of one record in the
// four fields' own text forms.

#include <optional>
#include <string>
#include <vector>

#include "data/DataSet.h"

// One record: each field's text as the field shows it, or nullopt for null.
struct RecordValues {
    std::optional<std::string> aInt;
    std::optional<std::string> aStr;
    std::optional<std::string> aBoolean;  // "True" or "False"
    std::optional<std::string> strShowCheck;

    bool operator==(const RecordValues&) const = default;
};

std::string describe(const RecordValues& record);
std::string describe(const std::vector<RecordValues>& records);

// The field of `record` named `fieldName` (AInt, AStr, ABoolean, StrShowCheck).
const std::optional<std::string>& fieldOf(const RecordValues& record, std::string_view fieldName);
std::optional<std::string>& fieldOf(RecordValues& record, std::string_view fieldName);

// The window's TClientDataSet, registered under that class name for the test,
// with a way to list the stored records. The window is still built from its
// own stored description.
class InspectableDataSet : public TClientDataSet {
public:
    using TClientDataSet::TClientDataSet;

    // Every stored record, first to last, through a fresh cursor.
    std::vector<RecordValues> storedRecords() const;

    // For the checks' own test: gives the stored record at `position`
    // (1-based) another AInt through the test's cursor, telling nobody; a
    // fault the checks must notice.
    void changeBehindTheWindow(int position, std::int32_t aInt);
};

// The current record as the record set's fields read it (the edited or new
// record while editing).
RecordValues currentValues(const TDataSet& dataSet);
