#include "app/qt_desktop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace tavrinel::app {
namespace {

// The one top-level widget of type Widget that is showing, or nullptr.
template <class Widget>
Widget* ShownTopLevel() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<Widget*>(widget); found != nullptr && found->isVisible()) {
            return found;
        }
    }
    return nullptr;
}

struct BoxCase {
    const char* name;
    collect::MessageIcon icon;
    QMessageBox::Icon shown;
};

class QtDesktopBoxTest : public ::testing::TestWithParam<BoxCase> {};

// A box for a worker: the system's title, one OK button, not modal, and "closed" only once the
// user has pressed OK.
TEST_P(QtDesktopBoxTest, WorkerBoxIsNonModalWithOneOkButton) {
    QtDesktop desktop;
    bool closed = false;
    desktop.showMessage(u"采集已停止"_qs, GetParam().icon, [&] { closed = true; });
    QMessageBox* box = ShownTopLevel<QMessageBox>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), u"信息："_qs);
    EXPECT_EQ(box->text(), u"采集已停止"_qs);
    EXPECT_EQ(box->icon(), GetParam().shown);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box->windowModality(), Qt::NonModal);
    EXPECT_EQ(box->parent(), nullptr);
    EXPECT_FALSE(box->testAttribute(Qt::WA_QuitOnClose));
    EXPECT_FALSE(closed);

    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    EXPECT_TRUE(closed);
}

INSTANTIATE_TEST_SUITE_P(
    Icons, QtDesktopBoxTest,
    ::testing::Values(BoxCase{"Information", collect::MessageIcon::kInformation,
                              QMessageBox::Information},
                      BoxCase{"Error", collect::MessageIcon::kError, QMessageBox::Critical}),
    [](const auto& param) { return param.param.name; });

// Boxes still open when the desktop goes are closed without a reply: their workers learn that
// the window is gone rather than that the user pressed OK.
TEST(QtDesktopTest, OpenBoxesGoWithTheDesktopWithoutAReply) {
    auto desktop = std::make_unique<QtDesktop>();
    bool closed = false;
    auto dropped = std::make_shared<bool>();
    std::weak_ptr<bool> watch = dropped;
    desktop->showMessage(u"x"_qs, collect::MessageIcon::kInformation,
                         [&closed, dropped = std::move(dropped)] { closed = true; });
    ASSERT_NE(ShownTopLevel<QMessageBox>(), nullptr);
    desktop.reset();
    EXPECT_EQ(ShownTopLevel<QMessageBox>(), nullptr);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(watch.expired());  // the reply itself is gone
}

TEST(QtDesktopTest, SaveDialogOffersTextFilesAndStartsFromThePreset) {
    QtDesktop desktop;
    std::optional<std::optional<QString>> chosen;
    desktop.askSavePath(u"/tmp/previous.txt"_qs,
                        [&](std::optional<QString> path) { chosen = std::move(path); });
    QFileDialog* dialog = ShownTopLevel<QFileDialog>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->nameFilters(), QStringList{u"文本文件（*.txt）(*.txt)"_qs});
    EXPECT_EQ(dialog->defaultSuffix(), u"txt"_qs);
    EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog->windowModality(), Qt::NonModal);
    EXPECT_EQ(dialog->selectedFiles().value(0), u"/tmp/previous.txt"_qs);
    EXPECT_FALSE(chosen.has_value());

    dialog->reject();
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, std::nullopt);
}

}  // namespace
}  // namespace tavrinel::app
