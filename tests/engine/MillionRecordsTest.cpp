// A million records of the window's schema: the store must stay compact
// (at most 42 bytes a record, twice the raw values) and keep working in the
// middle of the set. Measured both by the store's own accounting and by the
// heap's.

#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdio>

#include "EngineTestSupport.h"

namespace enginetest {
namespace {

constexpr std::uint32_t kRecords = 1000000;
constexpr double kMaxBytesPerRecord = 42.0;

void putRecord(const RecordStore& store, std::uint8_t* buffer, std::int32_t number) {
    store.initRecord(buffer);
    char text[16];
    std::snprintf(text, sizeof text, "name%08d", number);
    ASSERT_EQ(store.putField(buffer, 0, intValue(number)), kOk);
    ASSERT_EQ(store.putField(buffer, 1, textValue(text)), kOk);
    ASSERT_EQ(store.putField(buffer, 2, intValue(number % 2)), kOk);
    ASSERT_EQ(store.putField(buffer, 3, textValue(number % 2 ? "aa" : "bb")), kOk);
}

std::int32_t numberAt(Cursor& cursor, const RecordStore& store, std::uint32_t position) {
    std::vector<std::uint8_t> buffer(store.recordSize());
    EXPECT_EQ(cursor.moveToPosition(position), kOk);
    EXPECT_EQ(cursor.getCurrentRecord(buffer.data()), kOk);
    return fieldsOf(store, buffer.data())[0].integer;
}

TEST(MillionRecords, FitInFortyTwoBytesEachAndStayUsable) {
#if !defined(__SANITIZE_ADDRESS__)
    const std::size_t heapBefore = mallinfo2().uordblks;
#endif
    auto store = loadStore(storedPacket());
    Cursor cursor(store.get());
    std::vector<std::uint8_t> buffer(store->recordSize());
    for (std::uint32_t i = 0; i < kRecords; ++i) {
        putRecord(*store, buffer.data(), static_cast<std::int32_t>(i));
        cursor.moveToEnd();
        ASSERT_EQ(cursor.insertRecord(buffer.data()), kOk);
    }
    ASSERT_EQ(cursor.recordCount(), kRecords);

    const double storeBytesPerRecord = static_cast<double>(store->memoryBytes()) / kRecords;
    std::printf("record size %zu bytes; store accounting %.2f bytes per record\n",
                store->recordSize(), storeBytesPerRecord);
    RecordProperty("store_bytes_per_record", std::to_string(storeBytesPerRecord));
    EXPECT_LE(storeBytesPerRecord, kMaxBytesPerRecord);
#if !defined(__SANITIZE_ADDRESS__)
    const double heapBytesPerRecord =
        static_cast<double>(mallinfo2().uordblks - heapBefore) / kRecords;
    std::printf("heap growth %.2f bytes per record\n", heapBytesPerRecord);
    RecordProperty("heap_bytes_per_record", std::to_string(heapBytesPerRecord));
    EXPECT_LE(heapBytesPerRecord, kMaxBytesPerRecord);
#endif

    // Positions, inserts and deletes in the middle of the million.
    EXPECT_EQ(numberAt(cursor, *store, 1), 0);
    EXPECT_EQ(numberAt(cursor, *store, 500001), 500000);
    EXPECT_EQ(numberAt(cursor, *store, kRecords), static_cast<std::int32_t>(kRecords - 1));
    for (int i = 0; i < 1000; ++i) {
        putRecord(*store, buffer.data(), -1 - i);
        ASSERT_EQ(cursor.moveToPosition(400000), kOk);
        ASSERT_EQ(cursor.insertRecord(buffer.data()), kOk);
    }
    EXPECT_EQ(numberAt(cursor, *store, 400000), -1000);
    EXPECT_EQ(numberAt(cursor, *store, 400999), -1);
    EXPECT_EQ(numberAt(cursor, *store, 401000), 399999);
    ASSERT_EQ(cursor.moveToPosition(300000), kOk);
    for (int i = 0; i < 2000; ++i) {
        ASSERT_EQ(cursor.deleteRecord(), kOk);
    }
    EXPECT_EQ(cursor.recordCount(), kRecords - 1000);
    EXPECT_EQ(numberAt(cursor, *store, 300000), 301999);
    EXPECT_LE(static_cast<double>(store->memoryBytes()) / kRecords, kMaxBytesPerRecord);

    // Emptied from the end, the store gives its chunks back.
    const std::size_t full = store->memoryBytes();
    cursor.moveToEnd();
    while (cursor.getPriorRecord(buffer.data()) == kOk) {
        ASSERT_EQ(cursor.deleteRecord(), kOk);
    }
    EXPECT_EQ(cursor.recordCount(), 0u);
    EXPECT_LT(store->memoryBytes(), full / 3);
}

}  // namespace
}  // namespace enginetest
