#include <QFile>
#include <QTemporaryDir>

#include "window_fixture.h"

namespace tavrinel::app::testing {
namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ExportTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(folder.isValid());
    }

    // Chooses an export from the menu, answers its dialog with path (nullopt: cancel) and
    // waits until the dialog has been asked.
    void exportVia(const char* menuText, std::optional<QString> path) {
        const std::size_t asked = desktop.savePresets.size();
        desktop.setNextFileName(std::move(path));
        menuItem(menuText)->trigger();
        ASSERT_TRUE(WaitUntil([&] { return desktop.savePresets.size() == asked + 1; }));
    }

    QString successMessage(int count) const {
        return Shown(collect::ui::ExportSucceededPrefix()) + QString::number(count) +
               Shown(collect::ui::ExportSucceededSuffix());
    }

    QTemporaryDir folder;
};

TEST_F(ExportTest, DomainsAreDeduplicatedInFirstSeenOrderWithCaseKept) {
    appendRows({{"1", "t1", "http://a/", "a"},
                {"2", "t2", "http://b/", "b"},
                {"3", "t3", "http://a/x", "a"},
                {"4", "t4", "http://B/", "B"}});
    const QString path = folder.filePath(u"domains.txt"_qs);
    exportVia(texts::kExportDomains, path);
    ASSERT_TRUE(waitForMessage(text::Utf8ToSystem(successMessage(3).toStdString())));
    EXPECT_FALSE(desktop.messages.back().blocking);
    EXPECT_EQ(desktop.messages.back().icon, collect::MessageIcon::kInformation);
    EXPECT_EQ(FileBytes(path), QByteArray("a\r\nb\r\nB\r\n"));
}

TEST_F(ExportTest, FullRowsJoinTitleAddressAndDomainInTheSystemText) {
    appendRows({{"1", System("标题"), "http://a/", "a"},
                {"2", System("标题"), "http://a/", "a"},  // same but for the Id: one line
                {"3", "t", "", ""}});
    const QString path = folder.filePath(u"full.txt"_qs);
    exportVia(texts::kExportFullInfo, path);
    ASSERT_TRUE(waitForMessage(text::Utf8ToSystem(successMessage(2).toStdString())));
    const QByteArray expected =
        QByteArray::fromStdString(System("标题") + "\thttp://a/\ta\r\nt\t\t\r\n");
    EXPECT_EQ(FileBytes(path), expected);
}

// Cancelling writes nothing and says nothing; the dialog keeps the last confirmed path, in
// either mode.
TEST_F(ExportTest, TheDialogStartsFromTheLastConfirmedPath) {
    appendRows({{"1", "t", "http://a/", "a"}});
    const QString first = folder.filePath(u"first.txt"_qs);
    exportVia(texts::kExportDomains, first);
    ASSERT_TRUE(waitForMessage(text::Utf8ToSystem(successMessage(1).toStdString())));

    const std::size_t messages = desktop.messages.size();
    exportVia(texts::kExportFullInfo, std::nullopt);
    exportVia(texts::kExportDomains, std::nullopt);
    QTest::qWait(100);
    EXPECT_EQ(desktop.messages.size(), messages);
    EXPECT_EQ(desktop.savePresets, (std::vector<QString>{QString(), first, first}));
    EXPECT_EQ(folder.path().isEmpty(), false);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{u"first.txt"_qs});
}

TEST_F(ExportTest, AnEmptyListWritesAnEmptyFile) {
    const QString path = folder.filePath(u"empty.txt"_qs);
    exportVia(texts::kExportDomains, path);
    ASSERT_TRUE(waitForMessage(text::Utf8ToSystem(successMessage(0).toStdString())));
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(QFile(path).size(), 0);
}

TEST_F(ExportTest, AFileThatCannotBeWrittenGivesTheErrorBox) {
    appendRows({{"1", "t", "http://a/", "a"}});
    exportVia(texts::kExportDomains, folder.filePath(u"missing/folder/x.txt"_qs));
    ASSERT_TRUE(waitForMessage(collect::ui::ExportFailedMessage()));
    EXPECT_EQ(desktop.messages.back().icon, collect::MessageIcon::kError);
    EXPECT_FALSE(desktop.messages.back().blocking);
}

}  // namespace
}  // namespace tavrinel::app::testing
