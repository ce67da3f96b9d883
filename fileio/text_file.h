#pragma once
// Plain text files read line by line and written whole: the path file and the list
// file beside the executable, and the text files a conversion copies. A line ends
// with LF or CR LF. For settings a Ctrl+Z ends the text, as old editors of the
// data's home platform wrote it; a copy reads to the end of the file.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace fileio {

// Where the text of a file ends.
enum class TextEnd : std::uint8_t {
    CtrlZ,      // at the first Ctrl+Z byte, or at the end of the file
    EndOfFile,  // at the end of the file; a Ctrl+Z that is its very last byte is dropped
};

class TextFileReader {
public:
    // Opens an existing file for reading, sharing it with every other user.
    // Returns 0 or the error code.
    int Open(std::string_view path, TextEnd end = TextEnd::CtrlZ);
    // The next line without its end. False at the end of the text, or when reading
    // fails (Error() is then not 0); a line cut short by a failed read is dropped.
    bool ReadLine(std::string& line);
    int Error() const { return error_; }

private:
    // Reads the next block into the buffer; false at the end of the file or on error.
    bool Fill();

    platform::FileHandle file_;
    std::string buffer_;
    std::size_t position_ = 0;
    TextEnd end_ = TextEnd::CtrlZ;
    bool atEnd_ = false;
    int error_ = 0;
};

// Creates or overwrites the file with the lines, each ended the platform's way.
// Returns 0 or the error code of the first operation that failed.
int WriteTextFile(std::string_view path, const std::vector<std::string>& lines);

}  // namespace fileio
