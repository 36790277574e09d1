// Writes the packet seeds of the packet fuzzer: the window's stored packet
// and packets with records made by PacketWriter, one file each, into the
// folder given as the only argument. Run once when the seeds change; the
// files are kept in fuzz/corpus/packet.

#include <cstdio>
#include <string>
#include <vector>

#include "engine/Packet.h"
#include "tests/support/StoredPacket.h"

namespace {

using namespace dsengine;

FieldValue null() {
    return {};
}
FieldValue number(std::int32_t value) {
    FieldValue field;
    field.null = false;
    field.integer = value;
    return field;
}
FieldValue text(std::string bytes) {
    FieldValue field;
    field.null = false;
    field.bytes = std::move(bytes);
    return field;
}
ColumnDesc column(std::string name, std::uint16_t type, std::uint32_t size = 0) {
    ColumnDesc desc;
    desc.name = std::move(name);
    desc.type = type;
    desc.size = size;
    return desc;
}
PacketParameter parameter(std::string name, std::int64_t value, std::uint16_t width = 2,
                          std::uint16_t type = kValueUnsigned) {
    return {std::move(name), value, width, type};
}

// The window's four columns.
PacketWriter windowSchema() {
    PacketWriter writer;
    writer.addColumn(column("AInt", kTypeInt32));
    writer.addColumn(column("AStr", kTypeString, 12));
    writer.addColumn(column("ABoolean", kTypeBoolean));
    writer.addColumn(column("StrShowCheck", kTypeString, 2));
    return writer;
}

void addWindowRecords(PacketWriter& writer) {
    writer.addRecord({number(1), text("aa"), number(1), text("aa")});
    writer.addRecord({number(0), text("bb"), number(0), text("bb")});
    writer.addRecord({null(), null(), null(), null()});
    writer.addRecord(
        {number(-2147483647 - 1), text("\xE4\xB8\xAD\xE6\x96\x87"), number(65535), text("")});
    writer.addRecord({number(2147483647), text("twelve bytes"), number(7), text("x")});
}

bool save(const std::string& folder, const char* name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = folder + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::perror(path.c_str());
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool save(const std::string& folder, const char* name, const PacketWriter& writer) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!writer.write(&bytes, &error)) {
        std::fprintf(stderr, "%s: %s\n", name, error.c_str());
        return false;
    }
    return save(folder, name, bytes);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = true;

    // The window's stored packet, without the length word in front of it.
    const std::vector<std::uint8_t> stored = storedPacket();
    ok &=
        save(folder, "stored_window", std::vector<std::uint8_t>(stored.begin() + 4, stored.end()));

    PacketWriter records = windowSchema();
    addWindowRecords(records);
    ok &= save(folder, "window_records", records);

    PacketWriter readOnly = windowSchema();
    readOnly.addParameter(parameter("READ_ONLY", 1));
    addWindowRecords(readOnly);
    ok &= save(folder, "read_only", readOnly);

    PacketWriter disabled = windowSchema();
    disabled.addParameter(parameter("DISABLE_INSERTS", 1, 1));
    disabled.addParameter(parameter("DISABLE_EDITS", 1, 4, kValueSigned));
    disabled.addParameter(parameter("disable_deletes", -1, 8, kValueSigned));
    addWindowRecords(disabled);
    ok &= save(folder, "edits_disabled", disabled);

    // A string longer than 255 bytes takes a two-byte length in the record buffer.
    PacketWriter wide;
    wide.addColumn(column("Memo", kTypeString, 300), {parameter("SUBTYPE", 1, 1, kValueSigned)});
    wide.addColumn(column("Flag", kTypeBoolean));
    wide.addRecord({text(std::string(300, 'w')), number(1)});
    wide.addRecord({text("short"), null()});
    wide.addRecord({null(), number(0)});
    ok &= save(folder, "wide_string", wide);

    // Ten columns: the null flags take two bytes.
    PacketWriter many;
    for (int i = 0; i < 10; ++i) {
        const std::string name = "C" + std::to_string(i);
        if (i % 3 == 0) {
            many.addColumn(column(name, kTypeInt32));
        } else if (i % 3 == 1) {
            many.addColumn(column(name, kTypeBoolean));
        } else {
            many.addColumn(column(name, kTypeString, 4));
        }
    }
    for (int row = 0; row < 3; ++row) {
        std::vector<FieldValue> fields;
        for (int i = 0; i < 10; ++i) {
            if ((row + i) % 4 == 0) {
                fields.push_back(null());
            } else if (i % 3 == 2) {
                fields.push_back(text(std::string(static_cast<std::size_t>(row + 1), 'a' + i)));
            } else {
                fields.push_back(number(row * 10 + i));
            }
        }
        many.addRecord(std::move(fields));
    }
    ok &= save(folder, "ten_columns", many);

    // Enough records of one integer column to fill more than one chunk.
    PacketWriter counted;
    counted.addColumn(column("N", kTypeInt32));
    counted.addParameter(parameter("COUNT", 300, 4, kValueSigned));
    for (int row = 0; row < 300; ++row) {
        counted.addRecord({row % 7 == 0 ? null() : number(row)});
    }
    ok &= save(folder, "three_hundred_records", counted);
    return ok ? 0 : 1;
}
