// The shared library as the record set uses it: loaded at run time and
// entered only through DSCreateObject.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace enginetest {
namespace {

class EngineLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        handle_ = dlopen(DSENGINE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
        create_ = reinterpret_cast<CreateObjectFn>(dlsym(handle_, kEntryPointName));
        ASSERT_NE(create_, nullptr) << dlerror();
    }
    void TearDown() override {
        if (handle_ != nullptr) {
            dlclose(handle_);
        }
    }
    IRecordStore* newStore() {
        void* object = nullptr;
        EXPECT_EQ(create_(kObjectRecordStore, nullptr, &object), kOk);
        return static_cast<IRecordStore*>(object);
    }

    void* handle_ = nullptr;
    CreateObjectFn create_ = nullptr;
};

TEST_F(EngineLibrary, CreatesAStoreAndACursorThatWork) {
    std::unique_ptr<IRecordStore> store(newStore());
    ASSERT_NE(store, nullptr);
    const std::vector<std::uint8_t> packet = storedPacket();
    ASSERT_EQ(store->loadPacket(packet.data(), packet.size()), kOk);
    ASSERT_EQ(store->columnCount(), 4u);
    EXPECT_EQ(store->column(3).name, "StrShowCheck");

    void* object = nullptr;
    ASSERT_EQ(create_(kObjectCursor, store.get(), &object), kOk);
    std::unique_ptr<ICursor> cursor(static_cast<ICursor*>(object));

    std::vector<std::uint8_t> buffer(store->recordSize());
    store->initRecord(buffer.data());
    ASSERT_EQ(store->putField(buffer.data(), 0, intValue(1)), kOk);
    ASSERT_EQ(cursor->insertRecord(buffer.data()), kOk);
    EXPECT_EQ(cursor->recordCount(), 1u);
    EXPECT_EQ(store->changeCount(), 1u);

    std::vector<std::uint8_t> read(store->recordSize());
    cursor->moveToBeginning();
    ASSERT_EQ(cursor->getNextRecord(read.data()), kOk);
    FieldValue value;
    ASSERT_EQ(store->getField(read.data(), 0, &value), kOk);
    EXPECT_EQ(value, intValue(1));
    ASSERT_EQ(store->getField(read.data(), 1, &value), kOk);
    EXPECT_TRUE(value.null);

    const Status status = store->putField(buffer.data(), 3, textValue("abc"));
    EXPECT_LT(status, 0);
    EXPECT_EQ(store->statusText(status),
              "The value for string column 'StrShowCheck' is 3 bytes long, longer than its "
              "maximum of 2 bytes");
}

TEST_F(EngineLibrary, RefusesUnknownKindsAndBases) {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(create_(99, nullptr, &object), kErrUnknownObject);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(create_(kObjectCursor, nullptr, &object), kErrUnknownObject);
    EXPECT_EQ(create_(kObjectRecordStore, nullptr, nullptr), kErrNullArgument);

    std::unique_ptr<IRecordStore> store(newStore());
    const Status status = create_(kObjectCursor, store.get(), &object);
    ASSERT_EQ(status, kErrNoPacket);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(store->statusText(status), "A cursor needs a record store with a data packet loaded");

    const std::vector<std::uint8_t> packet = storedPacket();
    const Status bad = store->loadPacket(packet.data(), 20);
    EXPECT_LT(bad, 0);
    EXPECT_EQ(store->statusText(bad),
              "Invalid data packet: the packet is 20 bytes long, too short for its 24-byte header");
}

}  // namespace
}  // namespace enginetest
