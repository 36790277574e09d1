#pragma once
// The three-valued state of a check box and the mapping between field values
// and that state, shared by the field-bound check box and the grid's
// check-box columns.

#include <optional>
#include <string>
#include <string_view>

class TField;

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// Whether `text` equals one of the ";"-separated alternatives of `valueList`,
// each trimmed of leading and trailing characters of code 32 or less,
// compared over the whole length ignoring case by the user's locale. An empty
// list matches nothing; an empty alternative matches only an empty text.
bool matchesValueList(std::string_view text, std::string_view valueList);

// The first alternative of a value list, trimmed as in matching.
std::string firstAlternative(std::string_view valueList);

// No field: unchecked. Null: grey. Boolean: its value. Otherwise the edit
// text against `checkedList` first, then `uncheckedList`, else grey. A list
// that does not exist (a grid column with fewer key lines) is passed as nullopt.
TCheckBoxState checkStateOf(const TField* field, std::optional<std::string_view> checkedList,
                            std::optional<std::string_view> uncheckedList);

// Writes a state into a field that is being edited. Grey: null. Boolean field:
// true or false. Otherwise the first alternative of the list for that state
// (an empty text when the list does not exist), through the field's own text
// conversion. No field: nothing.
void writeCheckState(TField* field, TCheckBoxState state,
                     std::optional<std::string_view> checkedList,
                     std::optional<std::string_view> uncheckedList);
