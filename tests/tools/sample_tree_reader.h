#pragma once
// Reading a generated sample tree back for the tests: every file in memory, record
// access, and the rules by which the converter treats persons.
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/support/tree_snapshot.h"
#include "tools/qz-sample/record_buffer.h"
#include "tools/qz-sample/sample_options.h"

namespace sampletest {

using qztest::Tree;
using qztest::readTree;
using qztest::treeHash;

// Generates a tree with the options into root (which must not exist yet) and reads it
// back; a failure to write is reported as a test failure.
Tree makeTree(qzsample::SampleOptions options, const std::filesystem::path& root);

// A file of a directory found ignoring letter case, as the converter finds it;
// nullptr when there is none.
const std::string* findFile(const Tree& tree, const std::string& directory, const std::string& name);

// The records of a file of fixed-size records (a short tail is not a record).
std::vector<qzsample::RecordBuffer> recordsOf(const std::string& file, std::size_t size);

// The firm directories named by the registry, in registry order.
std::vector<std::string> registryDirectories(const Tree& tree);

// A person record as the converter sees it: unscrambled when stored scrambled.
qzsample::RecordBuffer plainPerson(const qzsample::RecordBuffer& stored);
// Whether the converter carries the person when only the staff employed on
// 31.12.2023 are carried (worked out from the record alone).
bool carriedWhenEmployed(const qzsample::RecordBuffer& person);

}  // namespace sampletest
