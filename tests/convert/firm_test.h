#pragma once
// A fixture for the conversion of whole firms: a 2023 root and a 2024 root in the
// test's directory, the firm FIRMA with its annual settings and marker in 2023, and
// helpers to put files into the source and read them from the target.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "convert/annual/annual_records.h"
#include "convert/firm/firm_conversion.h"
#include "product/records/firm_records.h"
#include "platform/files.h"
#include "tests/convert/converter_test.h"

namespace qztest {

inline std::string Bytes(const TestRecord& record) { return std::string(record.bytes.begin(), record.bytes.end()); }

// The three records of an annual settings file, all zero until a test fills them.
struct AnnualFile {
    TestRecord general{convert::kAnnualRecordSize};
    TestRecord numbering{convert::kAnnualRecordSize};
    TestRecord declarations{convert::kAnnualRecordSize};

    std::string bytes(int records = 3) const {
        const std::string all = Bytes(general) + Bytes(numbering) + Bytes(declarations);
        return all.substr(0, static_cast<std::size_t>(records) * convert::kAnnualRecordSize);
    }
};

class FirmTest : public ConverterTest {
protected:
    FirmTest() {
        writeFirm();
        // Only what a test asks for runs.
        options.firmItems = options.entries2024 = options.addOns = 0;
    }

    // The 2024 root and the firm's 2023 directory with its annual settings (December
    // approved) and its marker.
    void writeFirm() const {
        temp.writeFile("2024/.keep", "");
        AnnualFile settings;
        settings.general.byte(convert::AnnualGeneral::kFirstOpenMonth, convert::AnnualGeneral::kDecemberApproved);
        source("2023_ROK.REK", settings.bytes());
        source("_qz_kpr.rek", Bytes(TestRecord(product::FirmYearsRecord::kSize).pattern(0, 256, 5)));
    }

    // The firm as the fixture made it, with nothing in 2024.
    void startAgain() const {
        std::filesystem::remove_all(temp.path() / "2023" / "FIRMA");
        std::filesystem::remove_all(temp.path() / "2024" / "FIRMA");
        writeFirm();
    }
    // Annual settings of 2024 only, which set the year-2024 source flag.
    void settingsOf2024Only() const {
        std::filesystem::remove(temp.path() / "2023" / "FIRMA" / "2023_ROK.REK");
        source("2024_ROK.REK", AnnualFile{}.bytes());
    }

    std::string root2023() const { return temp.root() + "2023" + platform::kSeparator; }
    std::string root2024() const { return temp.root() + "2024" + platform::kSeparator; }
    void source(const std::string& name, std::string_view bytes) const { temp.writeFile("2023/FIRMA/" + name, bytes); }
    std::string target(const std::string& name) const { return temp.readFile("2024/FIRMA/" + name); }
    bool hasTarget(const std::string& name) const { return temp.exists("2024/FIRMA/" + name); }

    // Converts FIRMA and, when it is converted and registered is set, ends it as the
    // per-firm loop ends a registered firm; otherwise mark holds the firm's
    // in-progress mark and converted its ledger files to hide.
    bool convertFirm(const std::vector<std::string>& extraFiles = {}, bool registered = true) {
        const std::string year2023 = root2023();
        const std::string year2024 = root2024();
        converted = convert::ConvertedFiles{};
        const bool done = convert::ConvertFirm(options, {year2023, year2024}, "FIRMA", "FIRMA", extraFiles, claims,
                                               mark, converted) == convert::FirmConversion::Converted;
        if (done && registered) convert::FinishFirm(mark, converted);
        return done;
    }

    // The names of the files in the firm's 2024 directory.
    std::set<std::string> targetNames() const {
        std::set<std::string> names;
        for (const auto& file : std::filesystem::directory_iterator(temp.path() / "2024" / "FIRMA"))
            names.insert(file.path().filename().string());
        return names;
    }

    convert::ClaimedDirectories claims;
    convert::InProgressMark mark;
    convert::ConvertedFiles converted;
};

}  // namespace qztest
