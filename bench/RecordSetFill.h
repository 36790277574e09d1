#pragma once
// Filling the window's record set the way a user's appends would.

#include <cstdint>

#include "tests/support/WindowRecordSet.h"

// Out of line, so that a profiler can collect it alone
// (valgrind --tool=callgrind --toggle-collect='*appendRecords*').
[[gnu::noinline]] inline void appendRecords(WindowRecordSet& set, std::int64_t count) {
    for (std::int64_t i = 0; i < count; ++i) {
        set.dataSet->append();
        set.aInt->setAsInteger(static_cast<std::int32_t>(i));
        set.aStr->setAsString("record text");
        set.aBoolean->setAsBoolean((i & 1) != 0);
        set.strShowCheck->setAsString((i & 1) ? "aa" : "bb");
        set.dataSet->post();
    }
}
