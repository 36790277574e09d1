#include "engine/EngineStatus.h"

#include <cstdio>

namespace dsengine {

std::string genericStatusText(Status status) {
    switch (status) {
        case kOk:
            return "No error";
        case kBof:
            return "There is no prior record";
        case kEof:
            return "There is no next record";
        case kErrInvalidPacket:
            return "Invalid data packet";
        case kErrNoPacket:
            return "No data packet has been loaded";
        case kErrAlreadyLoaded:
            return "A data packet has already been loaded";
        case kErrColumnIndex:
            return "Column index out of range";
        case kErrInvalidValue:
            return "Invalid field value";
        case kErrCorruptBuffer:
            return "Corrupt record buffer";
        case kErrNoCurrentRecord:
            return "There is no current record";
        case kErrNoSuchPosition:
            return "There is no record at that position";
        case kErrBadBookmark:
            return "Invalid bookmark";
        case kErrReadOnly:
            return "The record set is read-only";
        case kErrInsertsDisabled:
            return "Inserts are not allowed";
        case kErrEditsDisabled:
            return "Modifications are not allowed";
        case kErrDeletesDisabled:
            return "Deletes are not allowed";
        case kErrTooManyRecords:
            return "The record set holds the largest possible number of records";
        case kErrOutOfMemory:
            return "Out of memory";
        case kErrNullArgument:
            return "A required argument is missing";
        case kErrStoreGone:
            return "The cursor's record store no longer exists";
        case kErrUnknownObject:
            return "Unknown engine object";
        default:
            return "Unknown engine status " + std::to_string(status);
    }
}

std::string limitStatusText(std::string text) {
    if (text.size() > kMaxStatusText) {
        text.resize(kMaxStatusText);
    }
    return text;
}

std::string counted(std::uint64_t count, std::string_view noun) {
    std::string text = std::to_string(count) + " ";
    text += noun;
    if (count != 1) {
        text += 's';
    }
    return text;
}

std::string quoted(std::string_view name) {
    std::string out = "'";
    for (unsigned char c : name) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    out += '\'';
    return out;
}

}  // namespace dsengine
