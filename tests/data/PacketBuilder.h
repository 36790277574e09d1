#pragma once
// Builds data packets in the engine's format for tests: columns, set
// parameters and records, and the stored form (a 32-bit little-endian length
// followed by the packet) that a record set's Data setting holds.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "data/EngineApi.h"

class PacketBuilder {
public:
    using Cell = std::variant<std::monostate, std::int32_t, bool, std::string>;

    PacketBuilder& integerColumn(std::string name) {
        columns_.push_back({std::move(name), dsengine::kTypeInt32, 4, 0});
        return *this;
    }
    PacketBuilder& booleanColumn(std::string name) {
        columns_.push_back({std::move(name), dsengine::kTypeBoolean, 2, 0});
        return *this;
    }
    PacketBuilder& stringColumn(std::string name, std::uint16_t size) {
        columns_.push_back({std::move(name), dsengine::kTypeString, 1, size});
        return *this;
    }
    // A column of a type the record set has no field class for.
    PacketBuilder& rawColumn(std::string name, std::uint16_t type, std::uint16_t width) {
        columns_.push_back({std::move(name), type, width, 0});
        return *this;
    }
    // A parameter of the whole set, stored as a 16-bit unsigned number.
    PacketBuilder& parameter(std::string name, std::uint16_t value) {
        parameters_.push_back({std::move(name), value});
        return *this;
    }
    PacketBuilder& record(std::vector<Cell> cells) {
        records_.push_back(std::move(cells));
        return *this;
    }

    std::vector<std::uint8_t> packet() const {
        std::vector<std::uint8_t> out{0x96, 0x19, 0xE0, 0xBD};
        out.reserve(256);
        word32(out, 1);
        word32(out, 24);
        word16(out, static_cast<std::uint16_t>(columns_.size()));
        word32(out, static_cast<std::uint32_t>(records_.size()));
        word32(out, 3);
        const std::size_t lengthAt = out.size();
        word16(out, 0);  // filled in below
        for (const Column& column : columns_) {
            name(out, column.name);
            word16(out, column.width);
            word16(out, column.type);
            word16(out, 0);  // attributes
            if (column.type == dsengine::kTypeString) {
                word16(out, 1);
                name(out, "WIDTH");
                word16(out, 2);
                word16(out, 2);
                word16(out, column.size);
            } else {
                word16(out, 0);
            }
        }
        word16(out, static_cast<std::uint16_t>(parameters_.size()));
        for (const Parameter& parameter : parameters_) {
            name(out, parameter.name);
            word16(out, 2);
            word16(out, 2);
            word16(out, parameter.value);
        }
        const auto metadata = static_cast<std::uint16_t>(out.size());
        out[lengthAt] = static_cast<std::uint8_t>(metadata & 0xFF);
        out[lengthAt + 1] = static_cast<std::uint8_t>(metadata >> 8);
        for (const auto& cells : records_) {
            std::vector<std::uint8_t> nulls((columns_.size() + 7) / 8, 0);
            for (std::size_t c = 0; c < columns_.size(); ++c) {
                if (c >= cells.size() || std::holds_alternative<std::monostate>(cells[c])) {
                    nulls[c / 8] |= static_cast<std::uint8_t>(1u << (c % 8));
                }
            }
            out.insert(out.end(), nulls.begin(), nulls.end());
            for (std::size_t c = 0; c < columns_.size() && c < cells.size(); ++c) {
                if (auto* number = std::get_if<std::int32_t>(&cells[c])) {
                    word32(out, static_cast<std::uint32_t>(*number));
                } else if (auto* flag = std::get_if<bool>(&cells[c])) {
                    word16(out, *flag ? 1 : 0);
                } else if (auto* text = std::get_if<std::string>(&cells[c])) {
                    word16(out, static_cast<std::uint16_t>(text->size()));
                    out.insert(out.end(), text->begin(), text->end());
                }
            }
        }
        return out;
    }

    std::vector<std::uint8_t> stored() const { return storedForm(packet()); }

    static std::vector<std::uint8_t> storedForm(const std::vector<std::uint8_t>& packet) {
        std::vector<std::uint8_t> out;
        word32(out, static_cast<std::uint32_t>(packet.size()));
        out.insert(out.end(), packet.begin(), packet.end());
        return out;
    }

    // The window's schema: AInt, AStr (12), ABoolean, StrShowCheck (2).
    static PacketBuilder windowSchema() {
        PacketBuilder builder;
        builder.integerColumn("AInt")
            .stringColumn("AStr", 12)
            .booleanColumn("ABoolean")
            .stringColumn("StrShowCheck", 2);
        return builder;
    }

private:
    struct Column {
        std::string name;
        std::uint16_t type;
        std::uint16_t width;
        std::uint16_t size;
    };
    struct Parameter {
        std::string name;
        std::uint16_t value;
    };

    static void word16(std::vector<std::uint8_t>& out, std::uint16_t value) {
        out.push_back(static_cast<std::uint8_t>(value & 0xFF));
        out.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    static void word32(std::vector<std::uint8_t>& out, std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
        }
    }
    static void name(std::vector<std::uint8_t>& out, const std::string& text) {
        out.push_back(static_cast<std::uint8_t>(text.size()));
        out.insert(out.end(), text.begin(), text.end());
    }

    std::vector<Column> columns_;
    std::vector<Parameter> parameters_;
    std::vector<std::vector<Cell>> records_;
};
