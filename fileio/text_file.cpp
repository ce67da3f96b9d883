#include "fileio/text_file.h"

#include "platform/text_convention.h"

namespace fileio {

namespace {
constexpr std::size_t kBlockSize = 4096;
constexpr char kEndOfText = '\x1A';  // Ctrl+Z
}  // namespace

int TextFileReader::Open(std::string_view path, TextEnd end) {
    buffer_.clear();
    position_ = 0;
    end_ = end;
    atEnd_ = false;
    error_ = platform::OpenSharedFile(path, platform::mode::ReadOnly | platform::mode::DenyNone, file_);
    return error_;
}

bool TextFileReader::Fill() {
    buffer_.erase(0, position_);
    position_ = 0;
    if (atEnd_ || !file_.IsOpen()) return false;
    const std::size_t kept = buffer_.size();
    buffer_.resize(kept + kBlockSize);
    std::size_t done = 0;
    error_ = platform::ReadFromFile(file_, buffer_.data() + kept, kBlockSize, done);
    buffer_.resize(kept + (error_ == 0 ? done : 0));
    if (error_ != 0) {
        atEnd_ = true;
        buffer_.clear();  // the unfinished line is not trusted
        return false;
    }
    const std::size_t endOfText = end_ == TextEnd::CtrlZ ? buffer_.find(kEndOfText, kept) : std::string::npos;
    if (endOfText != std::string::npos) {
        buffer_.resize(endOfText);
        atEnd_ = true;
    }
    if (done == 0) {
        atEnd_ = true;
        // What is left unread ends with the file's last byte.
        if (!buffer_.empty() && buffer_.back() == kEndOfText) buffer_.pop_back();
    }
    return true;
}

bool TextFileReader::ReadLine(std::string& line) {
    for (;;) {
        const std::size_t lineFeed = buffer_.find('\n', position_);
        if (lineFeed != std::string::npos || (atEnd_ && position_ < buffer_.size())) {
            const std::size_t end = lineFeed != std::string::npos ? lineFeed : buffer_.size();
            line.assign(buffer_, position_, end - position_);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            position_ = lineFeed != std::string::npos ? end + 1 : end;
            return true;
        }
        if (atEnd_ || !Fill()) return false;
    }
}

int WriteTextFile(std::string_view path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += platform::kTextLineEnd;
    }
    platform::FileHandle file;
    int error = platform::CreateOrTruncateFile(path, file);
    if (error != 0) return error;
    std::size_t done = 0;
    error = platform::WriteToFile(file, text.data(), text.size(), done);
    const int closeError = platform::CloseFile(file);
    return error != 0 ? error : closeError;
}

}  // namespace fileio
