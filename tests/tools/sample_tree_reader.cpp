#include "tests/tools/sample_tree_reader.h"

#include <gtest/gtest.h>

#include <cctype>

#include "tools/qz-sample/registry_file.h"
#include "tools/qz-sample/sample_tree.h"
#include "tools/qz-sample/scramble.h"
#include "tools/qz-sample/staff_files.h"
#include "tools/qz-sample/tree_writer.h"

namespace sampletest {

namespace fs = std::filesystem;
using qzsample::PersonRecord;
using qzsample::RecordBuffer;

Tree makeTree(qzsample::SampleOptions options, const fs::path& root) {
    options.outputDirectory = root.string();
    qzsample::TreeWriter out(root);
    EXPECT_TRUE(out.open()) << out.error();
    EXPECT_TRUE(qzsample::writeSampleTree(options, out)) << out.error();
    return readTree(root);
}

const std::string* findFile(const Tree& tree, const std::string& directory, const std::string& name) {
    auto upper = [](std::string text) {
        for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return text;
    };
    const std::string wanted = upper(directory + "/" + name);
    for (const auto& [path, bytes] : tree)
        if (upper(path) == wanted) return &bytes;
    return nullptr;
}

std::vector<RecordBuffer> recordsOf(const std::string& file, std::size_t size) {
    std::vector<RecordBuffer> records;
    for (std::size_t at = 0; at + size <= file.size(); at += size) {
        RecordBuffer record(size);
        record.putBytes(0, std::string_view(file).substr(at, size));
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<std::string> registryDirectories(const Tree& tree) {
    std::vector<std::string> directories;
    const auto registry = tree.find(qzsample::kRegistryFileName);
    if (registry == tree.end()) return directories;
    for (const RecordBuffer& record : recordsOf(registry->second, qzsample::RegistryRecord::kSize))
        directories.push_back(record.textAt(qzsample::RegistryRecord::kDirectory));
    return directories;
}

RecordBuffer plainPerson(const RecordBuffer& stored) {
    RecordBuffer plain = stored;
    if (plain.byteAt(PersonRecord::kState) == PersonRecord::kScrambled) qzsample::ScrambleRecord(plain.bytes());
    return plain;
}

bool carriedWhenEmployed(const RecordBuffer& stored) {
    const RecordBuffer person = plainPerson(stored);
    if (person.int64At(PersonRecord::kKey) < 0) return false;
    const std::int32_t cutOff = qzsample::kCutOff.packed();
    const auto start1 = person.dateAt(PersonRecord::kStart1);
    const auto end1 = person.dateAt(PersonRecord::kEnd1);
    const auto start2 = person.dateAt(PersonRecord::kStart2);
    const auto end2 = person.dateAt(PersonRecord::kEnd2);
    if (person.wordAt(PersonRecord::kKind) == 1) return start1.empty() || end1.empty() || end1.packed() < cutOff;
    const auto open = [cutOff](qzsample::PackedDate end) { return end.empty() || end.packed() > cutOff; };
    return (!start1.empty() && open(end1)) || (!start2.empty() && open(end2));
}

}  // namespace sampletest
