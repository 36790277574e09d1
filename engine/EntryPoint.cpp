// The library's one exported symbol. Everything else is hidden (compiled with
// hidden visibility and cut down further by exports.map).

#include <new>

#include "data/EngineApi.h"
#include "engine/Cursor.h"
#include "engine/RecordStore.h"

extern "C" __attribute__((visibility("default"))) dsengine::Status DSCreateObject(
    std::uint32_t kind, void* base, void** object) {
    using namespace dsengine;
    if (object == nullptr) {
        return kErrNullArgument;
    }
    *object = nullptr;
    try {
        switch (kind) {
            case kObjectRecordStore: {
                IRecordStore* store = new RecordStore();
                *object = store;
                return kOk;
            }
            case kObjectCursor: {
                auto* store = dynamic_cast<RecordStore*>(static_cast<IRecordStore*>(base));
                if (store == nullptr) {
                    return kErrUnknownObject;
                }
                if (!store->loaded()) {
                    return store->fail(kErrNoPacket,
                                       "A cursor needs a record store with a data packet loaded");
                }
                ICursor* cursor = new Cursor(store);
                *object = cursor;
                return kOk;
            }
            default:
                return kErrUnknownObject;
        }
    } catch (const std::bad_alloc&) {
        return kErrOutOfMemory;
    }
}
