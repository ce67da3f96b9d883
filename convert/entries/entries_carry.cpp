#include "convert/entries/entries_carry.h"

#include <array>
#include <string>

#include "product/records/entry_records.h"
#include "convert/copying/file_copy.h"
#include "convert/copying/file_size.h"
#include "convert/firm/firm_failures.h"
#include "convert/entries/ledger_converters.h"
#include "tui/progress_log.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "tui/polish_text.h"

using namespace platform::literals;

namespace convert {

namespace {

using Entry = product::LedgerEntryRecord;

constexpr std::uint8_t kMonths = 12;
constexpr std::string_view kBadDebtIndex = "2024IDX.REK";
constexpr std::string_view kSalaries = "2024WP5.REK";
constexpr std::string_view kContracts = "2024UZ5.REK";

std::string InDir(std::string_view dir, std::string_view name) {
    std::string path(dir);
    path += platform::kSeparator;
    path += name;
    return path;
}

// The sequence value of the last whole entry of an existing ledger file, so that
// entries added to it continue its numbering; 0 when there is none to read.
std::uint32_t LastLedgerNumber(std::string_view path) {
    platform::FileHandle file;
    std::uint64_t size = 0;
    if (platform::OpenSharedFile(path, platform::mode::ReadOnly | platform::mode::DenyNone, file) != platform::err::Ok ||
        platform::FileSize(file, size) != platform::err::Ok || size < Entry::kSize)
        return 0;
    std::array<std::uint8_t, 4> sequence{};
    std::size_t done = 0;
    const std::uint64_t lastEntry = (size / Entry::kSize - 1) * Entry::kSize;
    if (platform::SeekFile(file, lastEntry + Entry::kSequence) != platform::err::Ok ||
        platform::ReadFromFile(file, sequence.data(), sequence.size(), done) != platform::err::Ok ||
        done != sequence.size())
        return 0;
    return product::ReadLong(sequence, 0);
}

// Converts one monthly file into the same name in the target directory, then hides
// the source when the conversion went through.
void ConvertMonthFile(std::string_view label, std::string_view name, std::uint8_t month, std::uint16_t recordSize,
                      const RecordConverter& converter, std::string_view sourceDir, std::string_view targetDir,
                      ExistingTarget existing, const Options& options, ConvertedFiles& converted) {
    const std::string source = InDir(sourceDir, name);
    if (!FileIsPresent(source)) return;
    tui::LogWriteLine(std::string(label) + tui::MonthName(month));
    if (ConvertRecords(source, InDir(targetDir, name), recordSize, recordSize, converter, existing) &&
        options.renameConverted)
        converted.Mark(source);
}

}  // namespace

void CarryLedgerEntries(std::string_view sourceDir, std::string_view targetDir, const Options& options,
                        ConvertedFiles& converted) {
    for (std::uint8_t month = 1; month <= kMonths; ++month) {
        if (FirmStopped()) break;  // a full disk: no month's label either
        // Entries made in the 2024 program in January already are kept and added to.
        const ExistingTarget existing = month == 1 ? ExistingTarget::Append : ExistingTarget::Ask;
        const std::string ledger = "2024K990." + std::to_string(month);
        const std::string target = InDir(targetDir, ledger);
        const bool addedTo = existing == ExistingTarget::Append && FileIsPresent(target);
        const LedgerEntryConverter entries(addedTo ? LastLedgerNumber(target) : 0, options);
        ConvertMonthFile("Konwertuję zapisy : "_cp, ledger, month, Entry::kSize, entries, sourceDir, targetDir,
                         existing, options, converted);
        ConvertMonthFile("Konwertuję spłaty : "_cp, "2024SP." + std::to_string(month), month,
                         product::RepaymentRecord::kSize, ConvertRepayment, sourceDir, targetDir, existing, options,
                         converted);
    }
    if (FirmStopped()) return;
    tui::LogWriteLine(std::string("Plik indeksów złych długów: "_cp) + std::string(kBadDebtIndex));
    CopyBlocks(InDir(sourceDir, kBadDebtIndex), InDir(targetDir, kBadDebtIndex));
}

void CarrySalaries(std::string_view sourceDir, std::string_view targetDir, const PersonKeys& keys) {
    CopyRecords(InDir(sourceDir, kSalaries), InDir(targetDir, kSalaries), product::SalaryRecord::kSize,
                [&keys](product::RecordBuffer record) { return KeepSalary(keys, record); });
}

void CarryContracts(std::string_view sourceDir, std::string_view targetDir, const PersonKeys& keys) {
    const std::string source = InDir(sourceDir, kContracts);
    if (!FileIsPresent(source)) return;
    ConvertRecords(source, InDir(targetDir, kContracts), product::ContractRecord::kSize, product::ContractRecord::kSize,
                   [&keys](product::RecordBytes from, product::RecordBuffer to) {
                       return ConvertContract(keys, from, to);
                   });
}

}  // namespace convert
