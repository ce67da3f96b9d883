// Micro benchmarks of two hot loops: a firm entered into a registry of 2048 firms
// where it sorts first (every record moves), and the record conversion of a 10 MB
// ledger file. Both run against files in a temporary folder, with a virtual console
// and clock installed, as the program's own screen and clock would be.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "product/records/entry_records.h"
#include "convert/copying/file_copy.h"
#include "convert/entries/ledger_converters.h"
#include "product/records/packed_date.h"
#include "fileio/registry_file.h"
#include "platform/files.h"
#include "platform/virtual_clock.h"
#include "platform/virtual_console.h"

namespace {

constexpr int kRegistryFirms = 2048;
constexpr std::size_t kLedgerBytes = 10 * 1024 * 1024;

// A virtual screen and clock for the lifetime of the process, and a folder for the
// files of the benchmarks.
struct Surroundings {
    platform::VirtualConsole screen;
    platform::VirtualClock clock;
    std::string folder;

    Surroundings() {
        platform::InstallConsole(&screen);
        platform::InstallClock(&clock);
        char pattern[] = "/tmp/qz-micro.XXXXXX";
        if (mkdtemp(pattern)) folder = std::string(pattern) + "/";
    }
    ~Surroundings() {
        platform::InstallConsole(nullptr);
        platform::InstallClock(nullptr);
        if (!folder.empty()) std::system(("rm -rf '" + folder + "'").c_str());
    }
};

Surroundings& surroundings() {
    static Surroundings instance;
    return instance;
}

bool writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    platform::FileHandle file;
    if (platform::CreateOrTruncateFile(path, file) != platform::err::Ok) return false;
    std::size_t done = 0;
    const bool written = platform::WriteToFile(file, bytes.data(), bytes.size(), done) == platform::err::Ok &&
                         done == bytes.size();
    return platform::CloseFile(file) == platform::err::Ok && written;
}

// Whether the registry at path begins with record.
bool beginsWith(const std::string& path, const fileio::RegistryRecord& record) {
    platform::FileHandle file;
    if (platform::OpenSharedFile(path, platform::mode::ReadOnly | platform::mode::DenyNone, file) != platform::err::Ok)
        return false;
    fileio::RegistryRecord first;
    std::size_t done = 0;
    const bool read = platform::ReadFromFile(file, first.bytes.data(), first.bytes.size(), done) == platform::err::Ok &&
                      done == first.bytes.size();
    return platform::CloseFile(file) == platform::err::Ok && read && first.bytes == record.bytes;
}

void putShortText(std::uint8_t* field, const std::string& text) {
    field[0] = static_cast<std::uint8_t>(text.size());
    std::memcpy(field + 1, text.data(), text.size());
}

fileio::RegistryRecord firmRecord(const std::string& name, const std::string& directory) {
    fileio::RegistryRecord record;
    auto* bytes = reinterpret_cast<std::uint8_t*>(record.bytes.data());
    putShortText(bytes, name);
    putShortText(bytes + 32, directory);
    return record;
}

// Inserts a firm that sorts before all 2047 firms of the registry, so that every
// record is moved one place up; the registry is laid anew before each insert.
void InsertSortedWorstOrder(benchmark::State& state) {
    const std::string path = surroundings().folder + "SPISFIRM.DAT";
    std::vector<std::uint8_t> registry;
    for (int i = 0; i < kRegistryFirms - 1; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%04d", i);
        const auto record = firmRecord(std::string("FIRMA ") + number, std::string("F") + number);
        registry.insert(registry.end(), record.bytes.begin(), record.bytes.end());
    }
    const auto first = firmRecord("AAA PIERWSZA", "AAA");
    for (auto _ : state) {
        state.PauseTiming();
        if (!writeWholeFile(path, registry)) {
            state.SkipWithError("cannot write the registry");
            break;
        }
        fileio::RegistryFile file(path);
        const bool opened = file.Open(fileio::OpenExisting);
        state.ResumeTiming();
        if (!opened || !file.InsertSorted(first)) {
            state.SkipWithError("the insert failed");
            break;
        }
        state.PauseTiming();
        file.Close();
        if (!beginsWith(path, first)) {
            state.SkipWithError("the firm did not go first");
            break;
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (kRegistryFirms - 1));
}
BENCHMARK(InsertSortedWorstOrder)->Unit(benchmark::kMillisecond);

// Converts a 10 MB ledger file of entries that are all carried.
void ConvertLedgerFile(benchmark::State& state) {
    using Entry = product::LedgerEntryRecord;
    const std::string source = surroundings().folder + "2024K001.1";
    const std::string target = surroundings().folder + "2024K001.2";
    std::vector<std::uint8_t> ledger(kLedgerBytes);
    for (std::size_t offset = 0; offset + Entry::kSize <= ledger.size(); offset += Entry::kSize) {
        const product::RecordBuffer entry(ledger.data() + offset, Entry::kSize);
        product::WritePackedDate(entry, Entry::kDate, product::PackedDate{15, 1, 2024});
        putShortText(entry.data() + Entry::kDocument.offset, "FV/" + std::to_string(offset / Entry::kSize));
        putShortText(entry.data() + Entry::kText.offset, "Zakup towarow handlowych");
    }
    if (!writeWholeFile(source, ledger)) {
        state.SkipWithError("cannot write the ledger");
        return;
    }
    const convert::Options options;
    for (auto _ : state) {
        state.PauseTiming();
        platform::RemoveFile(target);
        const convert::RecordConverter converter = convert::LedgerEntryConverter(0, options);
        state.ResumeTiming();
        if (!convert::ConvertRecords(source, target, Entry::kSize, Entry::kSize, converter)) {
            state.SkipWithError("the conversion failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kLedgerBytes));
}
BENCHMARK(ConvertLedgerFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
