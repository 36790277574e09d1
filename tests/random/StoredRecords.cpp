#include "tests/random/StoredRecords.h"

#include <memory>
#include <stdexcept>

#include "data/EngineLoader.h"
#include "data/Field.h"

namespace {

std::string show(const std::optional<std::string>& value) {
    return value ? "\"" + *value + "\"" : "null";
}

}  // namespace

std::string describe(const RecordValues& record) {
    return "{AInt " + show(record.aInt) + ", AStr " + show(record.aStr) + ", ABoolean " +
           show(record.aBoolean) + ", StrShowCheck " + show(record.strShowCheck) + "}";
}

std::string describe(const std::vector<RecordValues>& records) {
    std::string text = std::to_string(records.size()) + " records:";
    for (const RecordValues& record : records) {
        text += "\n  " + describe(record);
    }
    return text;
}

const std::optional<std::string>& fieldOf(const RecordValues& record, std::string_view fieldName) {
    if (fieldName == "AInt") {
        return record.aInt;
    }
    if (fieldName == "AStr") {
        return record.aStr;
    }
    if (fieldName == "ABoolean") {
        return record.aBoolean;
    }
    if (fieldName == "StrShowCheck") {
        return record.strShowCheck;
    }
    throw std::invalid_argument("no field " + std::string(fieldName));
}

std::optional<std::string>& fieldOf(RecordValues& record, std::string_view fieldName) {
    return const_cast<std::optional<std::string>&>(
        fieldOf(static_cast<const RecordValues&>(record), fieldName));
}

std::vector<RecordValues> InspectableDataSet::storedRecords() const {
    std::vector<RecordValues> records;
    if (!store_) {
        return records;
    }
    void* object = nullptr;
    check(engineloader::entryPoint()(dsengine::kObjectCursor, store_, &object));
    std::unique_ptr<dsengine::ICursor> cursor(static_cast<dsengine::ICursor*>(object));

    std::vector<std::size_t> columns;  // by field: AInt, AStr, ABoolean, StrShowCheck
    for (const char* name : {"AInt", "AStr", "ABoolean", "StrShowCheck"}) {
        std::size_t found = store_->columnCount();
        for (std::size_t c = 0; c < store_->columnCount(); ++c) {
            if (store_->column(c).name == name) {
                found = c;
            }
        }
        if (found == store_->columnCount()) {
            throw std::runtime_error(std::string("the store has no column ") + name);
        }
        columns.push_back(found);
    }

    std::vector<std::uint8_t> buffer(store_->recordSize());
    dsengine::FieldValue value;
    cursor->moveToBeginning();
    while (cursor->getNextRecord(buffer.data()) == dsengine::kOk) {
        RecordValues record;
        auto read = [&](std::size_t column) {
            check(store_->getField(buffer.data(), column, &value));
            return !value.null;
        };
        if (read(columns[0])) {
            record.aInt = std::to_string(value.integer);
        }
        if (read(columns[1])) {
            record.aStr = value.bytes;
        }
        if (read(columns[2])) {
            record.aBoolean = value.integer != 0 ? "True" : "False";
        }
        if (read(columns[3])) {
            record.strShowCheck = value.bytes;
        }
        records.push_back(std::move(record));
    }
    return records;
}

void InspectableDataSet::changeBehindTheWindow(int position, std::int32_t aInt) {
    void* object = nullptr;
    check(engineloader::entryPoint()(dsengine::kObjectCursor, store_, &object));
    std::unique_ptr<dsengine::ICursor> cursor(static_cast<dsengine::ICursor*>(object));
    std::vector<std::uint8_t> buffer(store_->recordSize());
    check(cursor->moveToPosition(static_cast<std::uint32_t>(position)));
    check(cursor->getCurrentRecord(buffer.data()));
    dsengine::FieldValue value;
    value.null = false;
    value.integer = aInt;
    check(store_->putField(buffer.data(), static_cast<std::size_t>(fieldByName("AInt")->fieldNo()),
                           value));
    check(cursor->modifyRecord(buffer.data()));
}

RecordValues currentValues(const TDataSet& dataSet) {
    RecordValues record;
    for (const char* name : {"AInt", "AStr", "ABoolean", "StrShowCheck"}) {
        const TField* field = dataSet.fieldByName(name);
        if (!field->isNull()) {
            fieldOf(record, name) = field->asString();
        }
    }
    return record;
}
