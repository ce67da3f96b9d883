#include "tools/qz-sample/sample_tree.h"

#include "tools/qz-sample/firm_files.h"
#include "tools/qz-sample/firm_plan.h"
#include "tools/qz-sample/global_files.h"
#include "tools/qz-sample/registry_file.h"

namespace qzsample {

namespace {

// Salts of the independent parts of the tree.
constexpr std::uint64_t kFirmsSalt = 1;
constexpr std::uint64_t kGlobalSalt = 2;
constexpr std::uint64_t kFirstFirmSalt = 1000;

}  // namespace

bool writeSampleTree(const SampleOptions& options, TreeWriter& out) {
    const SampleRandom tree(options.seed);
    const std::vector<FirmPlan> firms = planFirms(options, tree.fork(kFirmsSalt));
    if (!out.put(kRegistryFileName, registryFile(firms))) return false;
    if (!writeGlobalFiles(options, tree.fork(kGlobalSalt), out)) return false;
    for (const FirmPlan& firm : firms)
        if (!writeFirm(firm, options, tree.fork(kFirstFirmSalt + firm.number), out)) return false;
    return true;
}

}  // namespace qzsample
