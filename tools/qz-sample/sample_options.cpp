#include "tools/qz-sample/sample_options.h"

#include <charconv>

namespace qzsample {

const char* const kSampleUsage =
    "usage: qz-sample [options] OUTPUT-DIRECTORY\n"
    "Writes a sample 2023 data tree (firm registry, #BIN023, firm directories) into\n"
    "OUTPUT-DIRECTORY, which must be missing or empty. The same options give the same tree.\n"
    "  --seed N               seed of the tree (default 2023)\n"
    "  --firms N              firms in the registry, 1-2048 (default 8)\n"
    "  --entries-per-month N  ledger entries in each month of 2024 kept, 1-10000 (default 20)\n"
    "  --persons N            persons in each firm's staff file, 1-2000 (default 12)\n"
    "  --profile full|quiet   full: every case, including those that make the converter\n"
    "                         ask; quiet: nothing that asks (default full)\n";

namespace {

template <typename Number>
bool readNumber(const std::string& text, Number low, Number high, Number& value) {
    Number parsed{};
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (failure != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

}  // namespace

bool parseSampleOptions(const std::vector<std::string>& args, SampleOptions& options, bool& help,
                        std::string& error) {
    help = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            help = true;
            return true;
        }
        if (arg.rfind("--", 0) != 0) {
            if (!options.outputDirectory.empty()) {
                error = "more than one output directory: " + arg;
                return false;
            }
            options.outputDirectory = arg;
            continue;
        }
        // Every option takes a value, as the next argument or after "=".
        std::string name = arg;
        std::string value;
        if (const auto equals = arg.find('='); equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            error = "option " + arg + " needs a value";
            return false;
        }
        bool ok = true;
        if (name == "--seed")
            ok = readNumber<std::uint64_t>(value, 0, UINT64_MAX, options.seed);
        else if (name == "--firms")
            ok = readNumber(value, 1, kMaxFirms, options.firms);
        else if (name == "--entries-per-month")
            ok = readNumber(value, 1, kMaxEntriesPerMonth, options.entriesPerMonth);
        else if (name == "--persons")
            ok = readNumber(value, 1, kMaxPersonsPerFirm, options.personsPerFirm);
        else if (name == "--profile" && (value == "full" || value == "quiet"))
            options.profile = value == "quiet" ? Profile::Quiet : Profile::Full;
        else if (name == "--profile")
            ok = false;
        else {
            error = "unknown option " + name;
            return false;
        }
        if (!ok) {
            error = "bad value for " + name + ": " + value;
            return false;
        }
    }
    if (options.outputDirectory.empty()) {
        error = "no output directory given";
        return false;
    }
    return true;
}

}  // namespace qzsample
