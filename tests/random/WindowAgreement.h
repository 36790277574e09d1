#pragma once
// What the window shows, compared with the record set after every event of
// the random-use run: the grid as assistive technology reads it (row by row,
// cell names and box states), the three field-bound texts and boxes, and the
// navigator's buttons. The expected states come from a plain table of the
// program's value lists, not from the controls' own mapping.

#include <optional>
#include <string>

#include "data/CheckState.h"
#include "form/Form1.h"
#include "tests/random/StoredRecords.h"

// The state a box or check-box cell shows for a field value: null grey;
// AInt "1" ticked, "0" clear; ABoolean by its value; StrShowCheck "aa" ticked
// and "bb" clear, ignoring case; anything else grey.
TCheckBoxState expectedCheckState(std::string_view fieldName,
                                  const std::optional<std::string>& value);

// The field value a box writes for a state it shows (ticked or clear).
std::string valueWrittenFor(std::string_view fieldName, TCheckBoxState state);

class WindowAgreement {
public:
    WindowAgreement(TForm1& form, InspectableDataSet& dataSet) : form_(form), dataSet_(dataSet) {}

    // The first disagreement found, or nullopt. `stored` is the list of
    // stored records as read just now.
    std::optional<std::string> check(const std::vector<RecordValues>& stored) const;

private:
    std::optional<std::string> checkGrid(const std::vector<RecordValues>& stored) const;
    std::optional<std::string> checkFieldControls(const RecordValues& current) const;
    std::optional<std::string> checkNavigator() const;

    TForm1& form_;
    InspectableDataSet& dataSet_;
};
