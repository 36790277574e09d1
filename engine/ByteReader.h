#pragma once
// Bounded little-endian reading of a byte range. Every read is checked against
// the end first by the caller through fits(); the reader itself never touches a
// byte at or past its end.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace dsengine {

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t end, std::size_t offset = 0)
        : data_(data), end_(end), offset_(offset <= end ? offset : end) {}

    std::size_t offset() const { return offset_; }
    std::size_t end() const { return end_; }
    std::size_t remaining() const { return end_ - offset_; }
    bool fits(std::size_t bytes) const { return bytes <= end_ - offset_; }

    // Callers check fits() first; these read nothing when the bytes are not there.
    std::uint8_t u8() {
        if (!fits(1)) {
            return 0;
        }
        return data_[offset_++];
    }
    std::uint16_t u16() {
        if (!fits(2)) {
            return 0;
        }
        const std::uint16_t value =
            static_cast<std::uint16_t>(data_[offset_] | (data_[offset_ + 1] << 8));
        offset_ += 2;
        return value;
    }
    std::uint32_t u32() {
        if (!fits(4)) {
            return 0;
        }
        const std::uint32_t value = static_cast<std::uint32_t>(data_[offset_]) |
                                    (static_cast<std::uint32_t>(data_[offset_ + 1]) << 8) |
                                    (static_cast<std::uint32_t>(data_[offset_ + 2]) << 16) |
                                    (static_cast<std::uint32_t>(data_[offset_ + 3]) << 24);
        offset_ += 4;
        return value;
    }
    std::uint64_t u64() {
        if (!fits(8)) {
            return 0;
        }
        const std::uint64_t low = u32();
        const std::uint64_t high = u32();
        return low | (high << 32);
    }
    std::string_view bytes(std::size_t count) {
        if (!fits(count)) {
            return {};
        }
        std::string_view view(reinterpret_cast<const char*>(data_ + offset_), count);
        offset_ += count;
        return view;
    }

private:
    const std::uint8_t* data_;
    std::size_t end_;
    std::size_t offset_;
};

}  // namespace dsengine
