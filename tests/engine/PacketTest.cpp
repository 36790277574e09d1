// Reading and writing data packets: the window's stored packet, packets with
// records, and malformed packets that must be refused with a precise text.

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "EngineTestSupport.h"

namespace enginetest {
namespace {

using Packet = std::vector<std::uint8_t>;

// Loads a packet from an exactly sized heap copy, so that a read past its end
// is a read past the allocation (caught by the sanitizer build).
Status loadExact(RecordStore& store, const Packet& packet) {
    std::unique_ptr<std::uint8_t[]> copy(
        new std::uint8_t[packet.size() + (packet.empty() ? 1 : 0)]);
    std::copy(packet.begin(), packet.end(), copy.get());
    return store.loadPacket(copy.get(), packet.size());
}

TEST(StoredPacket, LoadsTheWindowsSchemaFromTheDataSetting) {
    const Packet setting = storedDataSetting();
    ASSERT_EQ(setting.size(), 118u);
    const std::uint32_t length = setting[0] | (setting[1] << 8) | (setting[2] << 16) |
                                 (static_cast<std::uint32_t>(setting[3]) << 24);
    ASSERT_EQ(length, 114u);
    const Packet packet(setting.begin() + 4, setting.end());

    RecordStore store;
    ASSERT_EQ(loadExact(store, packet), kOk) << store.statusText(kErrInvalidPacket);

    struct Expected {
        const char* name;
        std::uint16_t type;
        std::uint16_t width;
        std::uint32_t size;
    };
    const Expected expected[] = {
        {"AInt", kTypeInt32, 4, 4},
        {"AStr", kTypeString, 1, 12},
        {"ABoolean", kTypeBoolean, 2, 2},
        {"StrShowCheck", kTypeString, 1, 2},
    };
    ASSERT_EQ(store.columnCount(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(store.column(i).name, expected[i].name);
        EXPECT_EQ(store.column(i).type, expected[i].type);
        EXPECT_EQ(store.column(i).width, expected[i].width);
        EXPECT_EQ(store.column(i).attributes, 0);
        EXPECT_EQ(store.column(i).size, expected[i].size);
    }
    std::int64_t value = -1;
    EXPECT_FALSE(store.findParameter("DISABLE_EDITS", &value));
    EXPECT_FALSE(store.findParameter("DISABLE_INSERTS", &value));
    EXPECT_FALSE(store.findParameter("DISABLE_DELETES", &value));
    EXPECT_FALSE(store.readOnly());
    EXPECT_EQ(store.changeCount(), 0u);

    Cursor cursor(&store);
    EXPECT_EQ(cursor.recordCount(), 0u);
    std::vector<std::uint8_t> buffer(store.recordSize());
    EXPECT_EQ(cursor.getNextRecord(buffer.data()), kEof);
}

TEST(StoredPacket, WriterProducesTheStoredBytesForTheSameSchema) {
    EXPECT_EQ(writePacket(storedSchema(), {}), storedPacket());
}

TEST(StoredPacket, SecondLoadIsRefusedAndKeepsTheFirstSchema) {
    RecordStore store;
    const Packet packet = storedPacket();
    ASSERT_EQ(loadExact(store, packet), kOk);
    const Packet other = writePacket({{"Other", kTypeInt32, 4, 0, 4}}, {});
    EXPECT_EQ(loadExact(store, other), kErrAlreadyLoaded);
    EXPECT_EQ(store.columnCount(), 4u);
}

// --- Packets with records -------------------------------------------------

std::vector<std::vector<FieldValue>> sampleRows() {
    return {
        {intValue(1), textValue("hello"), intValue(1), textValue("aa")},
        {intValue(-2147483647 - 1), textValue(std::string("a\0b", 3)), intValue(65535),
         textValue("")},
        {nullValue(), nullValue(), nullValue(), nullValue()},
        {intValue(2147483647), textValue("twelve bytes"), intValue(0), nullValue()},
    };
}

TEST(PacketRecords, RoundTripThroughLoadAndSave) {
    const auto rows = sampleRows();
    const Packet packet = writePacket(storedSchema(), rows);
    RecordStore store;
    ASSERT_EQ(loadExact(store, packet), kOk) << store.statusText(kErrInvalidPacket);
    EXPECT_EQ(allRecords(store), rows);
    EXPECT_EQ(store.changeCount(), 0u);

    Packet saved;
    ASSERT_EQ(store.savePacket(&saved), kOk);
    EXPECT_EQ(saved, packet);
}

TEST(PacketRecords, SaveWritesTheRecordsAsChanged) {
    auto store = loadStore(storedPacket());
    Cursor cursor(store.get());
    cursor.moveToEnd();
    const std::vector<FieldValue> row = {intValue(5), textValue("x"), intValue(0), nullValue()};
    ASSERT_EQ(cursor.insertRecord(recordOf(*store, row).data()), kOk);
    Packet saved;
    ASSERT_EQ(store->savePacket(&saved), kOk);
    EXPECT_EQ(allRecords(*loadStore(saved)), (std::vector<std::vector<FieldValue>>{row}));
}

TEST(PacketRecords, LongStringsAndSetParametersRoundTrip) {
    // A string column longer than 255 bytes takes a 2-byte length in the buffer.
    const std::vector<ColumnDesc> columns = {{"Note", kTypeString, 1, 0, 300},
                                             {"Flag", kTypeBoolean, 2, 0, 2}};
    const std::vector<std::vector<FieldValue>> rows = {
        {textValue(std::string(300, 'n')), intValue(1)},
        {textValue(std::string(256, '\xFF')), nullValue()},
    };
    const std::vector<PacketParameter> parameters = {
        {"DISABLE_EDITS", 1, 2, kValueUnsigned},
        {"LIMIT", -5, 4, kValueSigned},
        {"HUGE", (std::int64_t{1} << 62), 8, kValueUnsigned},
        {"TINY", -1, 1, kValueSigned},
    };
    const Packet packet = writePacket(columns, rows, parameters);
    RecordStore store;
    ASSERT_EQ(loadExact(store, packet), kOk) << store.statusText(kErrInvalidPacket);
    EXPECT_EQ(allRecords(store), rows);
    std::int64_t value = 0;
    ASSERT_TRUE(store.findParameter("DISABLE_EDITS", &value));
    EXPECT_EQ(value, 1);
    ASSERT_TRUE(store.findParameter("LIMIT", &value));
    EXPECT_EQ(value, -5);
    ASSERT_TRUE(store.findParameter("HUGE", &value));
    EXPECT_EQ(value, std::int64_t{1} << 62);
    ASSERT_TRUE(store.findParameter("TINY", &value));
    EXPECT_EQ(value, -1);
    Packet saved;
    ASSERT_EQ(store.savePacket(&saved), kOk);
    EXPECT_EQ(saved, packet);
}

TEST(PacketWriter, RefusesWhatThePacketCannotHold) {
    struct Case {
        const char* what;
        std::vector<ColumnDesc> columns;
        std::vector<std::vector<FieldValue>> rows;
        std::vector<PacketParameter> parameters;
        const char* expected;
    };
    const Case cases[] = {
        {"no columns", {}, {}, {}, "1 to 65535 columns"},
        {"string too long for its column",
         storedSchema(),
         {{intValue(1), textValue("thirteen byte"), nullValue(), nullValue()}},
         {},
         "13 bytes long, longer than its maximum of 12"},
        {"record with too few fields", storedSchema(), {{intValue(1)}}, {}, "has 1 fields"},
        {"parameter value too wide",
         storedSchema(),
         {},
         {{"P", 300, 1, kValueUnsigned}},
         "does not fit in its 1 byte"},
        {"empty column name", {{"", kTypeInt32, 4, 0, 4}}, {}, {}, "1 to 255 bytes"},
        {"unknown type", {{"X", 7, 4, 0, 4}}, {}, {}, "unknown type 7"},
        {"string size 0", {{"S", kTypeString, 1, 0, 0}}, {}, {}, "size 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PacketWriter writer;
        for (const ColumnDesc& column : c.columns) {
            writer.addColumn(column);
        }
        for (const PacketParameter& parameter : c.parameters) {
            writer.addParameter(parameter);
        }
        for (const auto& row : c.rows) {
            writer.addRecord(row);
        }
        Packet packet;
        std::string error;
        EXPECT_FALSE(writer.write(&packet, &error));
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    }
}

// --- Malformed packets ------------------------------------------------------

Packet truncated(Packet packet, std::size_t size) {
    packet.resize(size);
    return packet;
}
Packet withU8(Packet packet, std::size_t offset, std::uint8_t value) {
    packet.at(offset) = value;
    return packet;
}
Packet withU16(Packet packet, std::size_t offset, std::uint16_t value) {
    packet.at(offset) = value & 0xFF;
    packet.at(offset + 1) = value >> 8;
    return packet;
}
Packet withU32(Packet packet, std::size_t offset, std::uint32_t value) {
    return withU16(withU16(std::move(packet), offset, value & 0xFFFF), offset + 2, value >> 16);
}
Packet appended(Packet packet, std::vector<std::uint8_t> extra) {
    packet.insert(packet.end(), extra.begin(), extra.end());
    return packet;
}

// Stored packet offsets used below.
constexpr std::size_t kAIntWidth = 29, kAIntType = 31;
constexpr std::size_t kAStrName = 38, kAStrWidth = 42, kAStrParamCount = 48;
constexpr std::size_t kABooleanWidth = 71;
constexpr std::size_t kStrShowCheckNameLength = 79;
constexpr std::size_t kWidthParamNameLength = 100, kWidthParamValueWidth = 106,
                      kWidthParamValueType = 108, kWidthParamValue = 110;
constexpr std::size_t kSetParamCount = 112;

TEST(MalformedPacket, EachIsRefusedWithATextThatSaysWhatIsWrong) {
    const Packet good = storedPacket();
    // Two records after the stored metadata: one with every field, one all null.
    const Packet withRecords = writePacket(
        storedSchema(), {{intValue(7), textValue("hello"), intValue(1), textValue("aa")},
                         {nullValue(), nullValue(), nullValue(), nullValue()}});
    ASSERT_EQ(withRecords.size(), 133u);
    constexpr std::size_t kFirstAStrLength = 114 + 1 + 4;  // flags, AInt
    constexpr std::size_t kSecondRecordFlags = 132;

    struct Case {
        const char* what;
        Packet packet;
        const char* expected;
    };
    const Case cases[] = {
        {"no bytes at all", {}, "wrong signature (no bytes)"},
        {"signature only", truncated(good, 4), "4 bytes long, too short for its 24-byte header"},
        {"header cut short", truncated(good, 23), "23 bytes long, too short"},
        {"cut after the header", truncated(good, 24),
         "length word at offset 22 gives 114 bytes, but the packet is only 24 bytes long"},
        {"cut inside a descriptor", truncated(good, 50), "only 50 bytes long"},
        {"last byte missing", truncated(good, 113), "only 113 bytes long"},
        {"wrong signature", withU8(good, 2, 0xE1),
         "wrong signature 96 19 E1 BD, expected 96 19 E0 BD"},
        {"other format version", withU32(good, 4, 2), "unsupported format version 2"},
        {"length word one short", withU16(good, 22, 113),
         "gives 113 bytes, but the packet is 114 bytes long and declares no records"},
        {"length word one long", withU16(good, 22, 115), "only 114 bytes long"},
        {"length word inside the header", withU16(good, 22, 10), "less than the 24-byte header"},
        {"trailing garbage", appended(good, {0}),
         "the packet is 115 bytes long and declares no records"},
        {"descriptors past the metadata", withU32(good, 8, 200),
         "descriptors are said to start at offset 200"},
        {"descriptors inside the header", withU32(good, 8, 8),
         "descriptors are said to start at offset 8"},
        {"no columns", withU16(good, 12, 0), "declares no columns"},
        {"one column too many", withU16(good, 12, 5),
         "column 5 of 5 at offset 112 has an empty name"},
        {"too few columns", withU16(good, 12, 3),
         "runs past the end of the metadata at offset 114"},
        {"many columns", withU16(good, 12, 60000), "column 5 of 60000"},
        {"name length overruns", withU8(good, kStrShowCheckNameLength, 200),
         "column 4 of 4 at offset 79: the name (200 bytes at offset 80) runs past the end of the "
         "metadata at offset 114"},
        {"empty column name", withU8(good, 24, 0), "column 1 of 4 at offset 24 has an empty name"},
        {"control character in a name", withU8(good, kAStrName, 0x01),
         "control character 0x01: '\\x01Str'"},
        {"repeated column name",
         withU8(withU8(withU8(good, kAStrName + 1, 'I'), kAStrName + 2, 'n'), kAStrName + 3, 't'),
         "column 2 of 4 repeats the name 'AInt'"},
        {"unknown column type", withU16(good, kAIntType, 7),
         "column 1 of 4 ('AInt') has the unknown type 0x07"},
        {"integer of width 2", withU16(good, kAIntWidth, 2),
         "('AInt') is of type 32-bit integer but has width 2; that type has width 4"},
        {"Boolean of width 4", withU16(good, kABooleanWidth, 4),
         "('ABoolean') is of type Boolean but has width 4; that type has width 2"},
        {"string of width 2", withU16(good, kAStrWidth, 2),
         "('AStr') is of type string but has width 2; that type has width 1"},
        {"string without WIDTH", withU16(good, kAStrParamCount, 0),
         "('AStr') is a string column without a WIDTH parameter"},
        {"parameter name overruns", withU8(good, kWidthParamNameLength, 30),
         "('StrShowCheck'), parameter 1 of 1 at offset 100: the name (30 bytes at offset 101) "
         "runs past the end"},
        {"parameter value overruns", withU16(good, kWidthParamValueWidth, 8),
         "parameter 'WIDTH': the value (8 bytes at offset 110) runs past the end"},
        {"odd parameter value width", withU16(good, kWidthParamValueWidth, 3),
         "parameter 'WIDTH' has the value width 3"},
        {"unknown parameter value type", withU16(good, kWidthParamValueType, 9),
         "parameter 'WIDTH' has the unknown value type 9"},
        {"string WIDTH 0", withU16(good, kWidthParamValue, 0), "has the string WIDTH 0"},
        {"set parameter count without parameters", withU16(good, kSetParamCount, 1),
         "set parameter 1 of 1 at offset 114: the name length (1 byte at offset 114) runs past"},
        {"record count without records", withU32(good, 14, 1),
         "declares 1 record, but it ends with its metadata at offset 114"},
        {"more records declared than stored", withU32(withRecords, 14, 3),
         "record 3 of 3 at offset 133 needs 1 byte for its null flags"},
        {"fewer records declared than stored", withU32(withRecords, 14, 1),
         "1 byte of unexpected data after the last of its 1 record at offset 132"},
        {"record string longer than its column", withU16(withRecords, kFirstAStrLength, 13),
         "record 1 of 2 at offset 114 holds a 13-byte string in column 'AStr', longer than its "
         "maximum of 12 bytes"},
        {"record string past the end", truncated(withU32(withRecords, 14, 1), 131),
         "needs 2 bytes for the string of column 'StrShowCheck' at offset 130"},
        {"null flags of missing columns", withU8(withRecords, kSecondRecordFlags, 0x1F),
         "record 2 of 2 at offset 132 sets null flags for columns the packet does not have"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordStore store;
        const Status status = loadExact(store, c.packet);
        ASSERT_EQ(status, kErrInvalidPacket);
        const std::string text = store.statusText(status);
        EXPECT_NE(text.find(c.expected), std::string::npos) << text;
        EXPECT_EQ(text.rfind("Invalid data packet: ", 0), 0u) << text;
        EXPECT_FALSE(store.loaded());
        EXPECT_EQ(store.columnCount(), 0u);
    }
}

TEST(MalformedPacket, FailedLoadLeavesTheStoreReadyForAGoodPacket) {
    RecordStore store;
    ASSERT_EQ(loadExact(store, truncated(storedPacket(), 60)), kErrInvalidPacket);
    EXPECT_EQ(loadExact(store, storedPacket()), kOk);
    EXPECT_EQ(store.columnCount(), 4u);
}

TEST(MalformedPacket, StatusTextStaysWithinItsLimit) {
    // Names of 255 unprintable bytes are escaped four times longer in messages.
    const std::string longName(255, '\x80');
    ColumnDesc column{longName, kTypeString, 1, 0, 5};
    PacketWriter writer;
    writer.addColumn(column, {{longName, 1, 2, kValueUnsigned}});
    Packet packet;
    std::string error;
    ASSERT_TRUE(writer.write(&packet, &error)) << error;
    // Make the second parameter's value type unknown, so that the message
    // names both the column and the parameter.
    const std::size_t valueType = packet.size() - 2 - 2 - 2;
    packet = withU16(packet, valueType, 77);
    RecordStore store;
    const Status status = loadExact(store, packet);
    ASSERT_EQ(status, kErrInvalidPacket);
    const std::string text = store.statusText(status);
    EXPECT_LE(text.size(), kMaxStatusText);
    EXPECT_NE(text.find("\\x80\\x80"), std::string::npos);
}

// Any packet the store accepts must read back fully; any it refuses must say
// why. Run over every truncation and every single-byte change of the stored
// packet and of a packet with records, then over random multi-byte damage.
void expectSoundLoad(const Packet& packet) {
    RecordStore store;
    const Status status = loadExact(store, packet);
    if (status == kOk) {
        allRecords(store);
        return;
    }
    ASSERT_EQ(status, kErrInvalidPacket);
    const std::string text = store.statusText(status);
    ASSERT_FALSE(text.empty());
    ASSERT_LE(text.size(), kMaxStatusText);
}

TEST(MalformedPacket, EveryTruncationAndByteChangeIsHandled) {
    const Packet packets[] = {
        storedPacket(),
        writePacket(storedSchema(), sampleRows(), {{"DISABLE_DELETES", 1, 2, kValueUnsigned}}),
    };
    for (const Packet& good : packets) {
        for (std::size_t size = 0; size < good.size(); ++size) {
            RecordStore store;
            EXPECT_EQ(loadExact(store, truncated(good, size)), kErrInvalidPacket) << size;
        }
        for (std::size_t offset = 0; offset < good.size(); ++offset) {
            for (int value = 0; value < 256; value += 7) {
                expectSoundLoad(withU8(good, offset, static_cast<std::uint8_t>(value)));
            }
            expectSoundLoad(withU8(good, offset, 0xFF));
        }
    }
}

TEST(MalformedPacket, RandomDamageIsHandled) {
    const Packet good = writePacket(storedSchema(), sampleRows());
    std::mt19937 random(20240611);
    for (int round = 0; round < 20000; ++round) {
        Packet packet = good;
        const int changes = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < changes; ++i) {
            switch (random() % 4) {
                case 0:
                    packet[random() % packet.size()] = static_cast<std::uint8_t>(random());
                    break;
                case 1:
                    packet.resize(random() % (packet.size() + 1));
                    break;
                case 2:
                    packet.insert(packet.begin() +
                                      static_cast<std::ptrdiff_t>(random() % (packet.size() + 1)),
                                  static_cast<std::uint8_t>(random()));
                    break;
                default:
                    if (!packet.empty()) {
                        packet.erase(packet.begin() +
                                     static_cast<std::ptrdiff_t>(random() % packet.size()));
                    }
                    break;
            }
            if (packet.empty()) {
                break;
            }
        }
        expectSoundLoad(packet);
        if (HasFatalFailure()) {
            return;
        }
    }
}

}  // namespace
}  // namespace enginetest
