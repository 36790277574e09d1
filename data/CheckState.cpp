#include "data/CheckState.h"

#include "data/Field.h"
#include "data/TextFold.h"

namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Calls `visit` with each trimmed alternative of a value list until it returns
// true. Each alternative runs to the next ";" or the end; a ";" at the very end
// starts no further alternative, and an empty list has none.
template <typename Visit>
bool anyAlternative(std::string_view valueList, Visit visit) {
    std::size_t start = 0;
    while (start < valueList.size()) {
        const std::size_t end = valueList.find(';', start);
        const std::string_view alternative = valueList.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (visit(trimmed(alternative))) {
            return true;
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace

bool matchesValueList(std::string_view text, std::string_view valueList) {
    return anyAlternative(valueList, [text](std::string_view alternative) {
        return textfold::equalsIgnoringCase(text, alternative);
    });
}

std::string firstAlternative(std::string_view valueList) {
    std::string first;
    anyAlternative(valueList, [&first](std::string_view alternative) {
        first.assign(alternative);
        return true;
    });
    return first;
}

TCheckBoxState checkStateOf(const TField* field, std::optional<std::string_view> checkedList,
                            std::optional<std::string_view> uncheckedList) {
    if (!field) {
        return TCheckBoxState::cbUnchecked;
    }
    if (field->isNull()) {
        return TCheckBoxState::cbGrayed;
    }
    if (field->dataType() == TFieldType::ftBoolean) {
        return field->asBoolean() ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked;
    }
    const std::string text = field->asString();
    if (checkedList && matchesValueList(text, *checkedList)) {
        return TCheckBoxState::cbChecked;
    }
    if (uncheckedList && matchesValueList(text, *uncheckedList)) {
        return TCheckBoxState::cbUnchecked;
    }
    return TCheckBoxState::cbGrayed;
}

void writeCheckState(TField* field, TCheckBoxState state,
                     std::optional<std::string_view> checkedList,
                     std::optional<std::string_view> uncheckedList) {
    if (!field) {
        return;
    }
    if (state == TCheckBoxState::cbGrayed) {
        field->clear();
        return;
    }
    const bool checked = state == TCheckBoxState::cbChecked;
    if (field->dataType() == TFieldType::ftBoolean) {
        field->setAsBoolean(checked);
        return;
    }
    const std::optional<std::string_view> list = checked ? checkedList : uncheckedList;
    field->setAsString(list ? firstAlternative(*list) : std::string());
}
