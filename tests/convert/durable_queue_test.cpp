// Firms on their way to the registry: registered in batches, in their order.
#include "convert/firm/durable_queue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/convert/converter_test.h"
#include "tui/before_wait.h"

namespace {

class DurableQueueTest : public qztest::ConverterTest {
protected:
    // Queues firms F0, F1, ... whose 2024 directories exist, inserting with insertWorks.
    void QueueFirms(convert::DurableQueue& queue, int count) {
        for (int n = 0; n < count; ++n) {
            const std::string directory = "F" + std::to_string(n);
            std::filesystem::create_directory(temp.root() + directory);
            fileio::RegistryRecord record;
            record.bytes[0] = static_cast<char>(n);
            queue.MakeDurableThenRegister(roots, directory, {}, record,
                                          [this, directory](bool durable, bool registered, convert::InProgressMark&) {
                                              finished.push_back(directory + (durable ? " durable" : "") +
                                                                 (registered ? " registered" : ""));
                                          });
        }
    }
    convert::DurableQueue queue{[this](std::span<const fileio::RegistryRecord> firms) {
        std::string batch;
        for (const fileio::RegistryRecord& firm : firms) batch += std::to_string(int(firm.bytes[0])) + ' ';
        inserts.push_back(batch);
        return insertWorks;
    }};
    const std::string root = temp.root();
    const convert::DataRoots roots{root, root};
    bool insertWorks = true;
    std::vector<std::string> inserts;
    std::vector<std::string> finished;
};

// Whether a flush has returned by the time the next firm is queued is the disk's
// to say: the batches are checked, not where they fall.
TEST_F(DurableQueueTest, FirmsAreRegisteredInOrderInFullBatchesAndTheRestBeforeAWait) {
    QueueFirms(queue, 10);
    for (const std::string& batch : inserts)
        EXPECT_GE(std::count(batch.begin(), batch.end(), ' '), long(convert::DurableQueue::kBatchSize)) << batch;
    EXPECT_LT(finished.size(), 10u) << "the last firm is on its way until a wait";
    tui::DoBeforeWait();
    std::string registered;
    for (const std::string& batch : inserts) registered += batch;
    EXPECT_EQ(registered, "0 1 2 3 4 5 6 7 8 9 ");
    ASSERT_EQ(finished.size(), 10u);
    for (int n = 0; n < 10; ++n) EXPECT_EQ(finished[n], "F" + std::to_string(n) + " durable registered");
    const std::size_t batches = inserts.size();
    tui::DoBeforeWait();
    EXPECT_EQ(inserts.size(), batches) << "nothing was left on its way";
}

TEST_F(DurableQueueTest, AFailedInsertLeavesTheBatchUnregisteredAndAMissingDirectoryItsFirm) {
    insertWorks = false;
    QueueFirms(queue, 2);
    queue.MakeDurableThenRegister(roots, "BRAK", {}, {}, [this](bool durable, bool registered, convert::InProgressMark&) {
        finished.push_back(std::string("BRAK") + (durable ? " durable" : "") + (registered ? " registered" : ""));
    });
    tui::DoBeforeWait();
    std::string tried;
    for (const std::string& batch : inserts) tried += batch;
    EXPECT_EQ(tried, "0 1 ") << "the firm whose directory is gone is not inserted";
    EXPECT_EQ(finished, std::vector<std::string>({"F0 durable", "F1 durable", "BRAK"}));
}

}  // namespace
