#pragma once
// The limit for a scan: the same four fields as a plain std::vector of
// structs, filled with the same values as the record set.

#include <cstdint>
#include <string>
#include <vector>

struct PlainRecord {
    std::int32_t aInt = 0;
    std::string aStr;
    bool aBoolean = false;
    std::string strShowCheck;
};

inline std::vector<PlainRecord> plainRecords(std::int64_t count) {
    std::vector<PlainRecord> records;
    records.reserve(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i) {
        records.push_back(
            {static_cast<std::int32_t>(i), "record text", (i & 1) != 0, (i & 1) ? "aa" : "bb"});
    }
    return records;
}
