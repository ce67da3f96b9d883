#include "tools/qz-sample/plain_files.h"

#include <algorithm>

#include "tools/qz-sample/record_buffer.h"

namespace qzsample {

std::string labelledRecords(std::size_t recordSize, const std::vector<std::string>& labels) {
    std::vector<RecordBuffer> records;
    for (const std::string& label : labels) {
        RecordBuffer record(recordSize);
        record.putText({0, std::min<std::size_t>(recordSize, 64)}, label);
        records.push_back(std::move(record));
    }
    return joinRecords(records);
}

std::string textLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace qzsample
