#pragma once
// Buffered reading and writing for the copies: records are still handled one by one,
// but they reach the file layer in large blocks, so that a copy of many small
// records costs few system calls. The buffers are of fixed size, whatever the size
// of the file.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/files.h"

namespace convert {

inline constexpr std::size_t kCopyBufferSize = 64 * 1024;

class BufferedReader {
public:
    // The file must outlive the reader.
    explicit BufferedReader(platform::FileHandle& file, std::size_t capacity = kCopyBufferSize);
    // Reads up to size bytes, fewer only at the end of the file. Returns 0 or the
    // error code of the file layer.
    int Read(std::uint8_t* out, std::size_t size, std::size_t& done);

private:
    platform::FileHandle& file_;
    std::vector<std::uint8_t> buffer_;
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    bool atEnd_ = false;
};

class BufferedWriter {
public:
    // The file must outlive the writer. Whatever is still buffered when the writer
    // goes away is lost: Flush() first.
    explicit BufferedWriter(platform::FileHandle& file, std::size_t capacity = kCopyBufferSize);
    // Returns 0 or the error code of a write that failed on the way; after a
    // failure nothing more reaches the file and every call returns that error.
    int Write(const void* data, std::size_t size);
    int Flush();

private:
    platform::FileHandle& file_;
    std::vector<std::uint8_t> buffer_;
    std::size_t filled_ = 0;
    int error_ = platform::err::Ok;
};

}  // namespace convert
