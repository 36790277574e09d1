#include <algorithm>

#include "data/DBErrors.h"
#include "data/DataSet.h"
#include "data/EngineLoader.h"
#include "data/Messages.h"

TClientDataSet::TClientDataSet(TComponent* owner) : TDataSet(owner) {}

TClientDataSet::~TClientDataSet() {
    closeQuietly();
}

void TClientDataSet::setData(std::vector<std::uint8_t> stored) {
    stored_ = std::move(stored);
}

int TClientDataSet::changeCount() const {
    return store_ ? static_cast<int>(store_->changeCount()) : 0;
}

int TClientDataSet::recordCount() const {
    return cursor_ ? static_cast<int>(cursor_->recordCount()) : 0;
}

int TClientDataSet::recNo() const {
    if (state() == TDataSetState::dsInsert) {
        return -1;
    }
    if (!cursor_ || isEmpty()) {
        return 0;
    }
    // The cursor stands on the current record between operations.
    return static_cast<int>(cursor_->positionNumber());
}

bool TClientDataSet::canModify() const {
    return TDataSet::canModify() && !(store_ && store_->readOnly());
}

void TClientDataSet::openStorage() {
    // The stored form: a 32-bit little-endian length, then the packet.
    std::int64_t length = 0;
    if (stored_.size() >= 4) {
        const auto word = static_cast<std::uint32_t>(stored_[0]) |
                          (static_cast<std::uint32_t>(stored_[1]) << 8) |
                          (static_cast<std::uint32_t>(stored_[2]) << 16) |
                          (static_cast<std::uint32_t>(stored_[3]) << 24);
        length = static_cast<std::int32_t>(word);
    }
    if (length < 1) {
        // No packet, and no provider to ask for one.
        databaseError(msg::kNoDataPacket);
    }
    // A length beyond the stored bytes hands over what is there; the engine
    // rejects the truncated packet.
    const std::size_t size =
        std::min<std::size_t>(static_cast<std::size_t>(length), stored_.size() - 4);

    const dsengine::CreateObjectFn create = engineloader::entryPoint();
    void* object = nullptr;
    if (create(dsengine::kObjectRecordStore, nullptr, &object) != dsengine::kOk || !object) {
        throw Exception(std::string(msg::kEngineNotLoaded));
    }
    storeObject_.reset(static_cast<dsengine::IRecordStore*>(object));
    store_ = storeObject_.get();
    check(store_->loadPacket(stored_.data() + 4, size));

    object = nullptr;
    const dsengine::Status status = create(dsengine::kObjectCursor, store_, &object);
    check(status);
    if (!object) {
        throw Exception(std::string(msg::kEngineNotLoaded));
    }
    cursorObject_.reset(static_cast<dsengine::ICursor*>(object));
    cursor_ = cursorObject_.get();

    auto parameterOn = [this](std::string_view name) {
        std::int64_t value = 0;
        return store_->findParameter(name, &value) && value != 0;
    };
    allowEdits_ = !parameterOn("DISABLE_EDITS");
    allowInserts_ = !parameterOn("DISABLE_INSERTS");
    allowDeletes_ = !parameterOn("DISABLE_DELETES");
}

void TClientDataSet::closeStorage() {
    // The cursor goes before the store it stands in.
    cursorObject_.reset();
    storeObject_.reset();
}

void TClientDataSet::internalRefresh() {
    if (changeCount() > 0) {
        databaseError(msg::kApplyUpdatesFirst);
    }
    // Fresh data would come from a provider; this set has none.
    databaseError(msg::kNoDataPacket);
}

void TClientDataSet::readSetting(std::string_view name, const PropertyValue& value) {
    if (name == "Data" && value.kind == PropertyValue::Kind::Binary) {
        setData(value.bytes);
    } else if (name == "Aggregates" || name == "Params") {
        // Stored empty; nothing to keep.
    } else {
        TDataSet::readSetting(name, value);
    }
}
