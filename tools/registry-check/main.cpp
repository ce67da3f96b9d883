// qz-registry-check REGISTRY [ROOT]: prints what the registry holds and what is
// wrong with it; with ROOT (ending with the separator) also the converted firm
// directories it leaves out. Exit 0: only whole, sound records; 1: a partial or
// unsound record; 2: the registry cannot be read.
#include <cstdio>
#include <string>

#include "tools/registry-check/registry_check.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fputs("usage: qz-registry-check REGISTRY [ROOT]\n", stderr);
        return 2;
    }
    registrycheck::RegistryReport report;
    if (!registrycheck::CheckRegistry(argv[1], report)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    if (argc == 3) registrycheck::FindUnregistered(argv[2], report);
    for (const std::string& line : registrycheck::ReportLines(report)) std::printf("%s\n", line.c_str());
    return report.Sound() ? 0 : 1;
}
