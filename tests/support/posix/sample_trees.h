#pragma once
// Sample 2023 trees for the fault matrices: a realistic tree that asks nothing under
// the default options, copied afresh for every run, and the trees of a run compared
// with those of a clean run.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/program_test.h"
#include "tests/support/tree_snapshot.h"
#include "tools/qz-sample/sample_tree.h"

namespace qztest {

// Writes the 2023 tree of two small firms at root, which must not exist yet.
inline void WriteQuietSampleTree(const std::filesystem::path& root) {
    qzsample::SampleOptions options;
    options.profile = qzsample::Profile::Quiet;
    options.firms = 2;
    options.entriesPerMonth = 2;
    options.personsPerFirm = 3;
    qzsample::TreeWriter out(root);
    ASSERT_TRUE(out.open() && qzsample::writeSampleTree(options, out)) << out.error();
}

// A fixture with one quiet sample tree at sample/2023, written once for the suite;
// each case copies it afresh.
template <typename Fixture>
class WithQuietSample : public Fixture {
protected:
    static void SetUpTestSuite() {
        sample = new TempDir;
        WriteQuietSampleTree(sample->path() / "2023");
    }
    static void TearDownTestSuite() {
        delete sample;
        sample = nullptr;
    }

    static inline TempDir* sample = nullptr;
};

// The firm directories of a 2023 tree, in name order.
inline std::vector<std::string> FirmDirectories(const std::filesystem::path& root) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(root))
        if (entry.is_directory() && entry.path().filename().string().front() != '#')
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A fresh copy of a tree at target (what was there goes first).
inline void CopyTree(const std::filesystem::path& from, const std::filesystem::path& target) {
    std::filesystem::remove_all(target);
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::copy(from, target, std::filesystem::copy_options::recursive);
}

// The files of a tree that a clean run made but that are missing from, or differ
// in, the tree of another run.
inline std::vector<std::string> LostOrChanged(const Tree& clean, const Tree& run) {
    std::vector<std::string> names;
    for (const auto& [name, bytes] : clean) {
        const auto found = run.find(name);
        if (found == run.end() || found->second != bytes) names.push_back(name);
    }
    return names;
}

// The files of a run that a clean run does not make.
inline std::vector<std::string> Unexpected(const Tree& clean, const Tree& run) {
    std::vector<std::string> names;
    for (const auto& entry : run)
        if (!clean.contains(entry.first)) names.push_back(entry.first);
    return names;
}

inline std::string Listed(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

}  // namespace qztest
