#include "app/row_store.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace tavrinel::app {
namespace {

using collect::kDomainColumn;
using collect::kIdColumn;
using collect::kLandingUrlColumn;
using collect::kTitleColumn;

TEST(RowStoreTest, AppendsRowsAndAddressesCellsByIndex) {
    RowStore store;
    EXPECT_EQ(store.appendRow("1"), 0);
    EXPECT_EQ(store.appendRow("2"), 1);
    store.setCell(1, kTitleColumn, "t");
    store.setCell(1, kLandingUrlColumn, "http://a.example/");
    store.setCell(1, kDomainColumn, "a.example");

    EXPECT_EQ(store.rowCount(), 2);
    EXPECT_EQ(store.row(0), (collect::ResultRow{"1", "", "", ""}));
    EXPECT_EQ(store.row(1), (collect::ResultRow{"2", "t", "http://a.example/", "a.example"}));
    EXPECT_EQ(store.cell(1, kIdColumn), "2");
}

TEST(RowStoreTest, RowsAndColumnsThatDoNotExistReadEmptyAndIgnoreWrites) {
    RowStore store;
    store.appendRow("1");
    for (const auto& [row, column] :
         std::vector<std::pair<int, int>>{{-1, kTitleColumn}, {1, kTitleColumn}, {0, -1}, {0, 4}}) {
        store.setCell(row, column, "x");
        EXPECT_EQ(store.cell(row, column), "") << row << "," << column;
    }
    EXPECT_EQ(store.row(0), (collect::ResultRow{"1", "", "", ""}));
    EXPECT_EQ(store.row(5), collect::ResultRow{});
}

TEST(RowStoreTest, ClearEmptiesTheListAndIndicesStartAgain) {
    RowStore store;
    store.appendRow("1");
    store.appendRow("2");
    store.clear();
    EXPECT_EQ(store.rowCount(), 0);
    store.setCell(1, kTitleColumn, "late write to a deleted row");
    EXPECT_EQ(store.appendRow("1"), 0);
    EXPECT_EQ(store.cell(1, kTitleColumn), "");
}

TEST(RowStoreTest, PromptsOncePerBatchAndReportsWhatChanged) {
    int prompts = 0;
    RowStore store([&] { ++prompts; });
    store.appendRow("1");
    store.appendRow("2");
    store.appendRow("3");
    EXPECT_EQ(prompts, 1);
    RowStore::Changes changes = store.takeChanges();
    EXPECT_EQ(changes.rowCount, 3);
    EXPECT_GT(changes.firstWrittenRow, changes.lastWrittenRow);  // appends are no writes

    store.setCell(2, kTitleColumn, "c");
    store.setCell(0, kTitleColumn, "a");
    store.setCell(9, kTitleColumn, "no such row");
    EXPECT_EQ(prompts, 2);
    changes = store.takeChanges();
    EXPECT_EQ(changes.rowCount, 3);
    EXPECT_EQ(changes.firstWrittenRow, 0);
    EXPECT_EQ(changes.lastWrittenRow, 2);

    changes = store.takeChanges();
    EXPECT_GT(changes.firstWrittenRow, changes.lastWrittenRow);
}

// Several runs append and fill rows while an export reads them: every operation is atomic, so
// a reader sees each cell either empty or whole, and no row is lost.
TEST(RowStoreTest, ConcurrentWritersAndReadersKeepEveryRowWhole) {
    constexpr int kWriters = 4;
    constexpr int kRowsEach = 5000;
    RowStore store([] {});
    std::atomic<bool> writing{true};
    std::atomic<int> tornReads{0};

    std::thread reader([&] {
        while (writing.load()) {
            const int count = store.rowCount();
            for (int row = 0; row < count; row += 97) {
                const std::string title = store.cell(row, kTitleColumn);
                if (!title.empty() && title != "title " + store.cell(row, kIdColumn)) {
                    ++tornReads;
                }
            }
            store.takeChanges();
        }
    });
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            for (int i = 0; i < kRowsEach; ++i) {
                const std::string id = std::to_string(w) + "-" + std::to_string(i);
                const int row = store.appendRow(id);
                store.setCell(row, kTitleColumn, "title " + id);
            }
        });
    }
    for (auto& writer : writers) {
        writer.join();
    }
    writing = false;
    reader.join();

    ASSERT_EQ(store.rowCount(), kWriters * kRowsEach);
    EXPECT_EQ(tornReads.load(), 0);
    for (int row = 0; row < store.rowCount(); ++row) {
        ASSERT_EQ(store.cell(row, kTitleColumn), "title " + store.cell(row, kIdColumn));
    }
}

}  // namespace
}  // namespace tavrinel::app
