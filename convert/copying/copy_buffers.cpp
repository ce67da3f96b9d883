#include "convert/copying/copy_buffers.h"

#include <algorithm>
#include <cstring>

namespace convert {

BufferedReader::BufferedReader(platform::FileHandle& file, std::size_t capacity)
    : file_(file), buffer_(capacity) {}

int BufferedReader::Read(std::uint8_t* out, std::size_t size, std::size_t& done) {
    done = 0;
    while (done < size) {
        if (position_ == filled_) {
            if (atEnd_) break;
            position_ = 0;
            filled_ = 0;
            const int error = platform::ReadFromFile(file_, buffer_.data(), buffer_.size(), filled_);
            if (error != platform::err::Ok) return error;
            atEnd_ = filled_ < buffer_.size();
        }
        const std::size_t part = std::min(size - done, filled_ - position_);
        std::memcpy(out + done, buffer_.data() + position_, part);
        position_ += part;
        done += part;
    }
    return platform::err::Ok;
}

BufferedWriter::BufferedWriter(platform::FileHandle& file, std::size_t capacity)
    : file_(file), buffer_(capacity) {}

int BufferedWriter::Write(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (size > 0 && error_ == platform::err::Ok) {
        if (filled_ == buffer_.size() && Flush() != platform::err::Ok) break;
        const std::size_t part = std::min(size, buffer_.size() - filled_);
        std::memcpy(buffer_.data() + filled_, bytes, part);
        filled_ += part;
        bytes += part;
        size -= part;
    }
    return error_;
}

int BufferedWriter::Flush() {
    if (error_ != platform::err::Ok || filled_ == 0) return error_;
    std::size_t done = 0;
    error_ = platform::WriteToFile(file_, buffer_.data(), filled_, done);
    filled_ = 0;
    return error_;
}

}  // namespace convert
