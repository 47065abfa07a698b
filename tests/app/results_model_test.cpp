#include "app/results_model.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <memory>
#include <string>
#include <thread>

#include "app/ui_dispatcher.h"
#include "text/charset_converter.h"
#include "wait_until.h"

namespace tavrinel::app {
namespace {

using testing::WaitUntil;

// A store whose changes reach the model the way the window wires them: through the dispatcher.
struct ModelFixture {
    std::shared_ptr<UiDispatcher> dispatcher = std::make_shared<UiDispatcher>();
    std::shared_ptr<RowStore> store =
        std::make_shared<RowStore>([this] { dispatcher->post([this] { model->catchUp(); }); });
    std::unique_ptr<ResultsModel> model = std::make_unique<ResultsModel>(store, nullptr);
    ~ModelFixture() { dispatcher->close(); }
};

TEST(ResultsModelTest, ShowsFourReadOnlyColumnsWithTheirTitles) {
    ModelFixture f;
    EXPECT_EQ(f.model->columnCount(), 4);
    QStringList titles;
    for (int column = 0; column < 4; ++column) {
        titles << f.model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    EXPECT_EQ(titles, (QStringList{u"Id"_qs, u"标题"_qs, u"页面地址"_qs, u"域名"_qs}));

    f.store->appendRow("1");
    f.model->catchUp();
    const Qt::ItemFlags flags = f.model->flags(f.model->index(0, 1));
    EXPECT_TRUE(flags.testFlag(Qt::ItemIsSelectable));
    EXPECT_FALSE(flags.testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(f.model->setData(f.model->index(0, 1), u"x"_qs));
}

TEST(ResultsModelTest, ShowsSystemTextAsUnicode) {
    ModelFixture f;
    const int row = f.store->appendRow("1");
    f.store->setCell(row, collect::kTitleColumn, text::Utf8ToSystem("百度一下"));
    f.model->catchUp();
    EXPECT_EQ(f.model->data(f.model->index(0, 1), Qt::DisplayRole).toString(), u"百度一下"_qs);
    EXPECT_EQ(f.model->data(f.model->index(0, 0), Qt::DisplayRole).toString(), u"1"_qs);
}

// Rows appended and filled by a worker reach the view in batches; the model tester checks
// every insertion and change signal against the model's own answers.
TEST(ResultsModelTest, CatchesUpWithAWorkerAndStaysConsistent) {
    ModelFixture f;
    QAbstractItemModelTester tester(f.model.get(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    constexpr int kRows = 3000;
    std::thread worker([store = f.store] {
        for (int i = 1; i <= kRows; ++i) {
            const int row = store->appendRow(std::to_string(i));
            store->setCell(row, collect::kDomainColumn, "d" + std::to_string(i));
        }
    });
    ASSERT_TRUE(WaitUntil([&] { return f.model->rowCount() == kRows; }));
    worker.join();
    ASSERT_TRUE(WaitUntil([&] {
        return f.model->data(f.model->index(kRows - 1, 3), Qt::DisplayRole).toString() ==
               u"d3000"_qs;
    }));

    f.model->deleteAllRows();
    EXPECT_EQ(f.model->rowCount(), 0);
    EXPECT_EQ(f.store->rowCount(), 0);
    f.store->appendRow("1");
    ASSERT_TRUE(WaitUntil([&] { return f.model->rowCount() == 1; }));
}

// A write reported for rows the view already shows must reach it as dataChanged.
TEST(ResultsModelTest, ReportsCellWritesToShownRows) {
    ModelFixture f;
    f.store->appendRow("1");
    f.store->appendRow("2");
    f.model->catchUp();
    int changedFrom = -1;
    int changedTo = -1;
    QObject::connect(f.model.get(), &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& from, const QModelIndex& to) {
                         changedFrom = from.row();
                         changedTo = to.row();
                     });
    f.store->setCell(1, collect::kTitleColumn, "b");
    f.model->catchUp();
    EXPECT_EQ(changedFrom, 1);
    EXPECT_EQ(changedTo, 1);
}

}  // namespace
}  // namespace tavrinel::app
