#include "engine/RecordStore.h"

#include <algorithm>
#include <new>

#include "engine/Cursor.h"

namespace dsengine {

RecordStore::RecordStore() = default;

RecordStore::~RecordStore() {
    for (Cursor* cursor : cursors_) {
        cursor->storeGone();
    }
}

Status RecordStore::fail(Status status, std::string text) const {
    if (status < 0 && status >= kLowestStatus) {
        texts_[static_cast<std::size_t>(-status)] = limitStatusText(std::move(text));
    }
    return status;
}

std::string RecordStore::statusText(Status status) const {
    if (status < 0 && status >= kLowestStatus) {
        const std::string& text = texts_[static_cast<std::size_t>(-status)];
        if (!text.empty()) {
            return text;
        }
    }
    return limitStatusText(genericStatusText(status));
}

Status RecordStore::loadPacket(const std::uint8_t* data, std::size_t size) {
    if (loaded()) {
        return fail(kErrAlreadyLoaded,
                    "A data packet has already been loaded into this record store");
    }
    try {
        PacketMetadata metadata;
        std::string error;
        if (!readPacketMetadata(data, size, &metadata, &error)) {
            return fail(kErrInvalidPacket, std::move(error));
        }
        std::vector<ColumnDesc> columns;
        columns.reserve(metadata.columns.size());
        for (const PacketColumn& column : metadata.columns) {
            columns.push_back(column.desc);
        }
        RecordLayout layout(columns);
        auto records = std::make_unique<RecordList>(layout.recordSize());
        if (metadata.recordCount > RecordList::kMaxRecords) {
            return fail(kErrInvalidPacket, "Invalid data packet: it declares " +
                                               std::to_string(metadata.recordCount) +
                                               " records, more than a record store holds (" +
                                               std::to_string(RecordList::kMaxRecords) + ")");
        }
        std::vector<std::uint8_t> buffer(layout.recordSize());
        ByteReader reader(data, size, metadata.recordsOffset);
        RecordList::Position end{RecordList::Position::Where::End, nullptr, 0};
        for (std::uint32_t number = 1; number <= metadata.recordCount; ++number) {
            const std::size_t offset = reader.offset();
            if (!readPacketRecord(reader, layout, buffer.data(), &error)) {
                return fail(kErrInvalidPacket,
                            "Invalid data packet: record " + std::to_string(number) + " of " +
                                std::to_string(metadata.recordCount) + " at offset " +
                                std::to_string(offset) + " " + error);
            }
            end.where = RecordList::Position::Where::End;
            records->insert(&end, buffer.data());
        }
        if (reader.offset() != size) {
            return fail(kErrInvalidPacket,
                        "Invalid data packet: " + counted(size - reader.offset(), "byte") +
                            " of unexpected data after the last of its " +
                            counted(metadata.recordCount, "record") + " at offset " +
                            std::to_string(reader.offset()));
        }

        auto flag = [&metadata](std::string_view name) {
            const PacketParameter* parameter = findPacketParameter(metadata.parameters, name);
            return parameter != nullptr && parameter->value != 0;
        };
        readOnly_ = flag("READ_ONLY");
        insertsDisabled_ = flag("DISABLE_INSERTS");
        editsDisabled_ = flag("DISABLE_EDITS");
        deletesDisabled_ = flag("DISABLE_DELETES");
        packetColumns_ = std::move(metadata.columns);
        columns_ = std::move(columns);
        parameters_ = std::move(metadata.parameters);
        layout_ = std::move(layout);
        records_ = std::move(records);
        changeCount_ = 0;
        return kOk;
    } catch (const std::bad_alloc&) {
        return fail(kErrOutOfMemory, "Out of memory while loading the data packet");
    }
}

const ColumnDesc& RecordStore::column(std::size_t index) const {
    static const ColumnDesc kNoColumn{};
    return index < columns_.size() ? columns_[index] : kNoColumn;
}

bool RecordStore::findParameter(std::string_view name, std::int64_t* value) const {
    const PacketParameter* parameter = findPacketParameter(parameters_, name);
    if (parameter == nullptr) {
        return false;
    }
    if (value != nullptr) {
        *value = parameter->value;
    }
    return true;
}

void RecordStore::initRecord(std::uint8_t* buffer) const {
    if (buffer != nullptr) {
        layout_.init(buffer);
    }
}

Status RecordStore::checkColumn(std::size_t column) const {
    if (!loaded()) {
        return fail(kErrNoPacket, "No data packet has been loaded, so there are no columns");
    }
    if (column >= columns_.size()) {
        return fail(kErrColumnIndex, "There is no column " + std::to_string(column) +
                                         "; the record set has columns 0 to " +
                                         std::to_string(columns_.size() - 1));
    }
    return kOk;
}

Status RecordStore::getField(const std::uint8_t* buffer, std::size_t column,
                             FieldValue* value) const {
    // Record sets read every field of every record they show: the checks run
    // inline, and a message is built only when one fails.
    if (!loaded() || column >= columns_.size() || buffer == nullptr || value == nullptr ||
        !layout_.fieldReadable(buffer, column)) [[unlikely]] {
        return getFieldFailure(buffer, column, value);
    }
    layout_.get(buffer, column, value);
    return kOk;
}

Status RecordStore::getFieldFailure(const std::uint8_t* buffer, std::size_t column,
                                    const FieldValue* value) const {
    if (Status status = checkColumn(column); status != kOk) {
        return status;
    }
    if (buffer == nullptr || value == nullptr) {
        return fail(kErrNullArgument, "getField needs a record buffer and a value to fill");
    }
    return fail(kErrCorruptBuffer, layout_.checkBufferField(buffer, column));
}

Status RecordStore::putField(std::uint8_t* buffer, std::size_t column,
                             const FieldValue& value) const {
    // As getField(): the checks inline, a message only when one fails.
    if (!loaded() || column >= columns_.size() || buffer == nullptr ||
        !layout_.valueFits(column, value)) [[unlikely]] {
        if (Status status = checkField(column, value); status != kOk) {
            return status;
        }
        return fail(kErrNullArgument, "putField needs a record buffer");
    }
    layout_.put(buffer, column, value);
    return kOk;
}

Status RecordStore::checkField(std::size_t column, const FieldValue& value) const {
    if (loaded() && column < columns_.size() && layout_.valueFits(column, value)) [[likely]] {
        return kOk;
    }
    if (Status status = checkColumn(column); status != kOk) {
        return status;
    }
    return fail(kErrInvalidValue, layout_.checkValue(column, value));
}

Status RecordStore::savePacket(std::vector<std::uint8_t>* packet) const {
    if (!loaded()) {
        return fail(kErrNoPacket, "No data packet has been loaded, so there is nothing to save");
    }
    if (packet == nullptr) {
        return fail(kErrNullArgument, "savePacket needs a byte array to fill");
    }
    try {
        std::vector<std::uint8_t> bytes;
        std::string error;
        if (!writePacketMetadata(packetColumns_, parameters_, records_->size(), &bytes, &error)) {
            return fail(kErrInvalidPacket, std::move(error));
        }
        RecordList::Position position;
        for (bool more = records_->first(&position); more; more = records_->next(&position)) {
            writePacketRecord(layout_, records_->record(position), &bytes);
        }
        *packet = std::move(bytes);
        return kOk;
    } catch (const std::bad_alloc&) {
        return fail(kErrOutOfMemory, "Out of memory while writing the data packet");
    }
}

std::size_t RecordStore::memoryBytes() const {
    return records_ ? records_->memoryBytes() : 0;
}

void RecordStore::attach(Cursor* cursor) {
    cursors_.push_back(cursor);
    records_->track(cursor->position());
}

void RecordStore::detach(Cursor* cursor) {
    cursors_.erase(std::remove(cursors_.begin(), cursors_.end(), cursor), cursors_.end());
    records_->untrack(cursor->position());
}

}  // namespace dsengine
