// qz-sample: writes a sample 2023 data tree for trying, testing and timing the converter.
// It writes the record layouts of the bookkeeping program from its own copy of the
// record layouts, not from product/records/: a fault in the shared layouts would
// otherwise be written into the sample data and read back by the converter the same
// way, so the tests on the samples could not see it.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/qz-sample/sample_options.h"
#include "tools/qz-sample/sample_tree.h"
#include "tools/qz-sample/tree_writer.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    qzsample::SampleOptions options;
    bool help = false;
    std::string error;
    if (!qzsample::parseSampleOptions(args, options, help, error)) {
        std::fprintf(stderr, "qz-sample: %s\n%s", error.c_str(), qzsample::kSampleUsage);
        return 2;
    }
    if (help) {
        std::fputs(qzsample::kSampleUsage, stdout);
        return 0;
    }
    qzsample::TreeWriter out(options.outputDirectory);
    if (!out.open() || !qzsample::writeSampleTree(options, out)) {
        std::fprintf(stderr, "qz-sample: %s\n", out.error().c_str());
        return 1;
    }
    std::printf("qz-sample: %d firms written into %s\n", options.firms, options.outputDirectory.c_str());
    return 0;
}
