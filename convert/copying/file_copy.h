#pragma once
// The four ways a file travels from the 2023 tree to the 2024 tree: line by line,
// in blocks, record by record through a filter, and record by record through a
// converter that builds each target record from a source record. All four treat an
// empty source as absent, put an existing (non-empty) target to the overwrite
// question, report every failure in the progress log with the file's name, close
// what they opened on every path, and leave the caller free to go on with its next
// item whatever happened.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace convert {

// Decides whether a text line is written; it may change the line first.
using LineFilter = std::function<bool(std::string& line)>;
// Decides whether a record is written; it may change the record in place. A short
// last record arrives padded with zero bytes to the record size; only the bytes
// that were read are written.
using RecordFilter = std::function<bool(std::span<std::uint8_t> record)>;
// Fills target from source and says whether target is written. The source record
// is the converter's to change (to unscramble it, for instance); a short last
// source record arrives padded with zero bytes. The target starts all zero for
// every record, so nothing of the record before can leak into it.
using RecordConverter = std::function<bool(std::span<std::uint8_t> source, std::span<std::uint8_t> target)>;

// The converter that carries every record unchanged: copies as much of the source
// as fits and always writes the target.
bool CopyWholeRecord(std::span<std::uint8_t> source, std::span<std::uint8_t> target);

// What a record copy does with a target that holds data already: put it to the
// overwrite question, or add to it without a question.
enum class ExistingTarget { Ask, Append };

// Copies a text file line by line; every line is copied whole and ends with CR LF,
// the way the product's data files end their lines. Lines the filter refuses are
// left out. Silent when the source is absent or the target is kept.
void CopyTextFile(std::string_view source, std::string_view target, const LineFilter& filter = {});

// Copies a file byte for byte. True when the target was written and closed, or
// when there was nothing to do (no source, target kept).
bool CopyBlocks(std::string_view source, std::string_view target);

// Copies a file of records of recordSize bytes; a short last record is copied as it
// is. Writes "Brak pliku źródłowego " when the source is absent (true). False when
// the target was kept or anything failed.
bool CopyRecords(std::string_view source, std::string_view target, std::uint16_t recordSize,
                 const RecordFilter& filter = {}, ExistingTarget existing = ExistingTarget::Ask);

// Converts a file of sourceSize-byte records into a file of targetSize-byte records,
// one converter call per source record. Without a converter the target is created
// empty. Results as CopyRecords.
bool ConvertRecords(std::string_view source, std::string_view target, std::uint16_t sourceSize,
                    std::uint16_t targetSize, const RecordConverter& converter,
                    ExistingTarget existing = ExistingTarget::Ask);

}  // namespace convert
