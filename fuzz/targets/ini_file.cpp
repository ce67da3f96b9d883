// The INI reader over any file content: read as the product reads it, then changed
// and saved as a writer does, and read back.
#include <cstdio>
#include <cstdlib>

#include "fuzz/support/fuzz_run.h"
#include "product/ini_file.h"

namespace {

void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qzfuzz::RunInput([&] {
        const std::string path = qzfuzz::WriteFile("TEST.INI", {data, size});
        if (auto reader = product::IniFile::Init(path, false)) {
            static_cast<void>(reader->ReadString("PATH", "KPR2023", ""));
            static_cast<void>(reader->ReadInteger("BANKI", "DEF", 0));
            static_cast<void>(reader->ReadBool("KPR", "FAS", false));
            static_cast<void>(reader->ReadChar("ZUS_ZxA", "DRAI01", ' '));
        }
        auto writer = product::IniFile::Init(path, true);
        if (!writer) return;
        writer->WriteString("PATH", "KPR2023", "C:\\KPR_2023\\FIRMA");
        writer->WriteInteger("BANKI", "DEF", -12345);
        writer->WriteBool("KPR", "FAS", true);
        if (!writer->Done()) return;
        auto reader = product::IniFile::Init(path, false);
        if (!reader) Fail("a saved file cannot be read");
        if (reader->ReadString("PATH", "KPR2023", "") != "C:\\KPR_2023\\FIRMA") Fail("a written text is lost");
        if (reader->ReadInteger("BANKI", "DEF", 0) != -12345) Fail("a written number is lost");
        if (!reader->ReadBool("KPR", "FAS", false)) Fail("a written flag is lost");
    });
    return 0;
}
