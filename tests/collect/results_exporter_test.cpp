#include "collect/results_exporter.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "collect/export_file.h"
#include "collect/unique_text_list.h"
#include "fake_window.h"
#include "fixture_pages.h"

namespace tavrinel::collect {
namespace {

namespace fs = std::filesystem;
using testing::FakeWindow;
using testing::Sys;

class ExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tavrinel-export-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        window_.exportPath = (dir_ / "out.txt").string();
    }
    void TearDown() override {
        ::chmod(dir_.c_str(), 0755);
        fs::remove_all(dir_);
    }
    void addRow(const std::string& title, const std::string& url, const std::string& domain) {
        const int row = window_.appendRow(std::to_string(window_.rowCount() + 1));
        window_.setCell(row, kTitleColumn, Sys(title));
        window_.setCell(row, kLandingUrlColumn, Sys(url));
        window_.setCell(row, kDomainColumn, Sys(domain));
    }
    static std::string fileBytes(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path dir_;
    FakeWindow window_;
};

TEST(UniqueTextList, KeepsFirstSeenOrderAndComparesBytes) {
    UniqueTextList list;
    std::vector<bool> added;
    for (const char* text : {"a", "b", "a", "B", "", "", "b "}) {
        added.push_back(list.add(text));
    }
    EXPECT_EQ(added, (std::vector<bool>{true, true, false, true, true, false, true}));
    std::vector<std::string> members;
    for (std::size_t i = 0; i < list.size(); ++i) {
        members.emplace_back(list[i]);
    }
    EXPECT_EQ(members, (std::vector<std::string>{"a", "b", "B", "", "b "}));
}

TEST(UniqueTextList, StaysExactAcrossIndexGrowth) {
    // Enough members to grow the index many times; every second text repeats an earlier one.
    UniqueTextList list;
    for (int i = 0; i < 20000; ++i) {
        const std::string text = "member-" + std::to_string(i / 2);
        EXPECT_EQ(list.add(text), i % 2 == 0) << text;
    }
    ASSERT_EQ(list.size(), 10000u);
    EXPECT_EQ(list[0], "member-0");
    EXPECT_EQ(list[9999], "member-9999");
}

TEST(UniqueTextList, JoinsMembersWithTheirTerminator) {
    UniqueTextList list("\r\n");
    for (const char* text : {"x", "", "x", "y"}) {
        list.add(text);
    }
    EXPECT_EQ(list[1], "");
    EXPECT_EQ(list[2], "y");
    EXPECT_EQ(list.takeJoined(), "x\r\n\r\ny\r\n");
    EXPECT_EQ(list.size(), 0u);
}

TEST_F(ExportTest, DomainsAreDeduplicatedCaseSensitively) {
    for (const char* domain : {"a", "b", "a", "B"}) {
        addRow("t", "http://x/", domain);
    }
    ASSERT_TRUE(ResultsExporter::run(window_, ExportMode::kDomains));
    EXPECT_EQ(fileBytes(dir_ / "out.txt"), "a\r\nb\r\nB\r\n");
    EXPECT_EQ(window_.messages, std::vector<text::Text>{Sys("导出成功.去重复后：3 个")});
}

TEST_F(ExportTest, EmptyDomainsMakeOneEmptyLine) {
    addRow("t1", "/rel", "");
    addRow("t2", "", "");
    addRow("t3", "http://x", "");
    addRow("t4", "http://a/", "a");
    ASSERT_TRUE(ResultsExporter::run(window_, ExportMode::kDomains));
    EXPECT_EQ(fileBytes(dir_ / "out.txt"), "\r\na\r\n");
    EXPECT_EQ(window_.messages.back(), Sys("导出成功.去重复后：2 个"));
}

TEST_F(ExportTest, FullRowsIgnoreIdsAndKeepCellsUnchanged) {
    addRow("标题", "http://a.cn/x", "a.cn");
    addRow("标题", "http://a.cn/x", "a.cn");  // same cells, another Id
    addRow("tab\there", "http://b/\r\n", "b");
    ASSERT_TRUE(ResultsExporter::run(window_, ExportMode::kFullRows));
    EXPECT_EQ(fileBytes(dir_ / "out.txt"),
              Sys("标题\thttp://a.cn/x\ta.cn\r\ntab\there\thttp://b/\r\n\tb\r\n"));
    EXPECT_EQ(window_.messages.back(), Sys("导出成功.去重复后：2 个"));
}

TEST_F(ExportTest, SystemTextWithoutByteOrderMarkOrUtf8OnRequest) {
    addRow("中文😀", "http://a/", "a");
    ASSERT_TRUE(ResultsExporter::run(window_, ExportMode::kFullRows));
    EXPECT_EQ(fileBytes(dir_ / "out.txt"), "\xD6\xD0\xCE\xC4\x94\x39\xFC\x36\thttp://a/\ta\r\n");
    ASSERT_TRUE(ResultsExporter::run(window_, ExportMode::kFullRows, ExportEncoding::kUtf8));
    EXPECT_EQ(fileBytes(dir_ / "out.txt"), "中文😀\thttp://a/\ta\r\n");
}

TEST_F(ExportTest, NoRowsWriteAnEmptyFile) {
    for (const ExportMode mode : {ExportMode::kDomains, ExportMode::kFullRows}) {
        std::ofstream(dir_ / "out.txt") << "old content";
        ASSERT_TRUE(ResultsExporter::run(window_, mode));
        EXPECT_EQ(fs::file_size(dir_ / "out.txt"), 0u);
        EXPECT_EQ(window_.messages.back(), Sys("导出成功.去重复后：0 个"));
    }
}

TEST_F(ExportTest, DeletedRowsReadAsEmptyCells) {
    struct ShrinkingWindow : FakeWindow {
        int rowCount() override { return 3; }  // rows vanish after the count was read
    } window;
    window.exportPath = (dir_ / "out.txt").string();
    ASSERT_TRUE(ResultsExporter::run(window, ExportMode::kFullRows));
    EXPECT_EQ(fileBytes(dir_ / "out.txt"), "\t\t\r\n");
}

TEST_F(ExportTest, CancelWritesNothingAndSaysNothing) {
    addRow("t", "http://a/", "a");
    window_.exportPath.reset();
    EXPECT_FALSE(ResultsExporter::run(window_, ExportMode::kDomains));
    EXPECT_TRUE(window_.messages.empty());
    EXPECT_FALSE(fs::exists(dir_ / "out.txt"));
}

TEST_F(ExportTest, FailedWriteReportsAndKeepsTheOldFile) {
    addRow("t", "http://a/", "a");
    std::ofstream(dir_ / "out.txt") << "precious";
    if (::geteuid() == 0) {
        // root ignores permission bits; a missing folder fails for everyone.
        window_.exportPath = (dir_ / "missing" / "out.txt").string();
    } else {
        ::chmod(dir_.c_str(), 0555);
    }
    EXPECT_FALSE(ResultsExporter::run(window_, ExportMode::kDomains));
    EXPECT_EQ(window_.messages, std::vector<text::Text>{Sys("失败")});
    EXPECT_EQ(window_.icons, std::vector<MessageIcon>{MessageIcon::kError});
    EXPECT_EQ(fileBytes(dir_ / "out.txt"), "precious");
}

TEST_F(ExportTest, WriteFailingHalfWayLeavesTheOldFileAndNoTemporary) {
    // A file size limit makes write() fail part-way, as a full disk does.
    std::ofstream(dir_ / "out.txt") << "precious";
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = WriteFileReplacing(dir_ / "out.txt", std::string(1 << 20, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(fileBytes(dir_ / "out.txt"), "precious");
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_)) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
}

TEST_F(ExportTest, ReplacingKeepsPermissionBits) {
    std::ofstream(dir_ / "out.txt") << "old";
    ::chmod((dir_ / "out.txt").c_str(), 0640);
    ASSERT_TRUE(WriteFileReplacing(dir_ / "out.txt", "new"));
    EXPECT_EQ(fileBytes(dir_ / "out.txt"), "new");
    struct stat info {};
    ASSERT_EQ(::stat((dir_ / "out.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace tavrinel::collect
