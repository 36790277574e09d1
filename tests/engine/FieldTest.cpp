// Reading and writing fields of record buffers: nulls, the three types, the
// limits of each, and refusals that leave the buffer as it was.

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace enginetest {
namespace {

constexpr std::size_t kAInt = 0, kAStr = 1, kABoolean = 2, kStrShowCheck = 3;

class FieldAccess : public ::testing::Test {
protected:
    void SetUp() override {
        store_ = loadStore(storedPacket());
        buffer_.assign(store_->recordSize(), 0xCC);
        store_->initRecord(buffer_.data());
    }
    FieldValue get(std::size_t column) {
        FieldValue value;
        EXPECT_EQ(store_->getField(buffer_.data(), column, &value), kOk);
        return value;
    }

    std::unique_ptr<RecordStore> store_;
    std::vector<std::uint8_t> buffer_;
};

TEST_F(FieldAccess, NewRecordHasEveryFieldNull) {
    for (std::size_t column = 0; column < store_->columnCount(); ++column) {
        EXPECT_TRUE(get(column).null) << column;
    }
}

TEST_F(FieldAccess, ValuesReadBackAsWritten) {
    struct Case {
        const char* what;
        std::size_t column;
        FieldValue written;
        FieldValue read;
    };
    const Case cases[] = {
        {"smallest integer", kAInt, intValue(-2147483647 - 1), intValue(-2147483647 - 1)},
        {"largest integer", kAInt, intValue(2147483647), intValue(2147483647)},
        {"zero is not null", kAInt, intValue(0), intValue(0)},
        {"empty string is not null", kAStr, textValue(""), textValue("")},
        {"string of the full size", kAStr, textValue("123456789012"), textValue("123456789012")},
        {"string bytes kept as they are", kAStr, textValue(std::string("a\0\xFF ", 4)),
         textValue(std::string("a\0\xFF ", 4))},
        {"two-byte string", kStrShowCheck, textValue("aa"), textValue("aa")},
        {"Boolean false", kABoolean, intValue(0), intValue(0)},
        {"Boolean true", kABoolean, intValue(1), intValue(1)},
        {"Boolean as any 16-bit number", kABoolean, intValue(65535), intValue(65535)},
        {"Boolean -1 keeps its 16 bits", kABoolean, intValue(-1), intValue(65535)},
        {"null", kAInt, nullValue(), nullValue()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(store_->checkField(c.column, c.written), kOk);
        ASSERT_EQ(store_->putField(buffer_.data(), c.column, c.written), kOk);
        EXPECT_EQ(get(c.column), c.read);
    }
}

TEST_F(FieldAccess, WritingOneFieldLeavesTheOthersAlone) {
    const std::vector<FieldValue> row = {intValue(-7), textValue("abcdefghijkl"), intValue(1),
                                         textValue("bb")};
    buffer_ = recordOf(*store_, row);
    ASSERT_EQ(store_->putField(buffer_.data(), kAStr, textValue("x")), kOk);
    ASSERT_EQ(store_->putField(buffer_.data(), kABoolean, nullValue()), kOk);
    EXPECT_EQ(
        fieldsOf(*store_, buffer_.data()),
        (std::vector<FieldValue>{intValue(-7), textValue("x"), nullValue(), textValue("bb")}));
    // A shorter string leaves no trace of the longer one.
    EXPECT_EQ(buffer_,
              recordOf(*store_, {intValue(-7), textValue("x"), nullValue(), textValue("bb")}));
}

TEST_F(FieldAccess, RefusedValuesLeaveTheBufferUnchanged) {
    buffer_ = recordOf(*store_, {intValue(3), textValue("keep"), intValue(1), textValue("aa")});
    struct Case {
        const char* what;
        std::size_t column;
        FieldValue value;
        Status status;
        const char* expected;
    };
    const Case cases[] = {
        {"string one byte too long", kAStr, textValue("1234567890123"), kErrInvalidValue,
         "The value for string column 'AStr' is 13 bytes long, longer than its maximum of 12 "
         "bytes"},
        {"two-byte string too long", kStrShowCheck, textValue("aaa"), kErrInvalidValue,
         "'StrShowCheck' is 3 bytes long"},
        {"Boolean beyond 16 bits", kABoolean, intValue(65536), kErrInvalidValue,
         "The value 65536 for Boolean column 'ABoolean' does not fit in 16 bits"},
        {"Boolean below 16 bits", kABoolean, intValue(-32769), kErrInvalidValue,
         "does not fit in 16 bits"},
        {"column past the last", 4, intValue(1), kErrColumnIndex,
         "There is no column 4; the record set has columns 0 to 3"},
    };
    const std::vector<std::uint8_t> before = buffer_;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(store_->checkField(c.column, c.value), c.status);
        ASSERT_EQ(store_->putField(buffer_.data(), c.column, c.value), c.status);
        const std::string text = store_->statusText(c.status);
        EXPECT_NE(text.find(c.expected), std::string::npos) << text;
        EXPECT_EQ(buffer_, before);
    }
    FieldValue value;
    EXPECT_EQ(store_->getField(buffer_.data(), 4, &value), kErrColumnIndex);
}

TEST_F(FieldAccess, CorruptBufferIsReportedNotRead) {
    ASSERT_EQ(store_->putField(buffer_.data(), kAStr, textValue("abc")), kOk);
    // The AStr length byte follows the null flags and AInt.
    buffer_[1 + 4] = 200;
    FieldValue value;
    const Status status = store_->getField(buffer_.data(), kAStr, &value);
    ASSERT_EQ(status, kErrCorruptBuffer);
    EXPECT_NE(store_->statusText(status).find("claims 200 bytes, more than its maximum of 12"),
              std::string::npos);

    Cursor cursor(store_.get());
    EXPECT_EQ(cursor.insertRecord(buffer_.data()), kErrCorruptBuffer);
    EXPECT_EQ(cursor.recordCount(), 0u);
}

TEST_F(FieldAccess, MissingArgumentsAreReportedAfterTheColumnAndValueChecks) {
    // Reads and writes check inline and build their message only on failure;
    // which failure is reported must not depend on that.
    FieldValue value;
    struct Case {
        const char* what;
        Status status;
        Status expected;
    };
    const Case cases[] = {
        {"read without a buffer", store_->getField(nullptr, kAInt, &value), kErrNullArgument},
        {"read without a value", store_->getField(buffer_.data(), kAInt, nullptr),
         kErrNullArgument},
        {"read of a missing column without a buffer", store_->getField(nullptr, 4, &value),
         kErrColumnIndex},
        {"write without a buffer", store_->putField(nullptr, kAInt, intValue(1)), kErrNullArgument},
        {"write of a value too long without a buffer",
         store_->putField(nullptr, kAStr, textValue("1234567890123")), kErrInvalidValue},
        {"write of a missing column without a buffer", store_->putField(nullptr, 4, intValue(1)),
         kErrColumnIndex},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.status, c.expected) << c.what;
    }
    RecordStore empty;
    EXPECT_EQ(empty.getField(buffer_.data(), 0, &value), kErrNoPacket);
    EXPECT_EQ(empty.putField(buffer_.data(), 0, intValue(1)), kErrNoPacket);
}

TEST(FieldAccessWithoutPacket, FailsWithAText) {
    RecordStore store;
    EXPECT_EQ(store.columnCount(), 0u);
    EXPECT_EQ(store.recordSize(), 0u);
    const Status status = store.checkField(0, intValue(1));
    ASSERT_EQ(status, kErrNoPacket);
    EXPECT_NE(store.statusText(status).find("No data packet has been loaded"), std::string::npos);
    EXPECT_EQ(store.column(0).name, "");
}

TEST(StatusText, EveryStatusHasATextWithinTheLimit) {
    RecordStore store;
    for (Status status = kLowestStatus - 1; status <= kEof + 1; ++status) {
        const std::string text = store.statusText(status);
        EXPECT_FALSE(text.empty()) << status;
        EXPECT_LE(text.size(), kMaxStatusText);
    }
    EXPECT_EQ(store.statusText(-999), "Unknown engine status -999");
}

}  // namespace
}  // namespace enginetest
