#include "db/messages.h"
#include "platform/recordingseam.h"

#include <QDialog>

#include <gtest/gtest.h>

using namespace shop;

TEST(Seam, MessageBoxesAreRecordedAndAnswered) {
    ui::RecordingSeam seam;
    ShowNotice(QStringLiteral("处理完毕"));
    ShowError(QStringLiteral("出错"));
    ShowWarning(QStringLiteral("小心"));
    seam.answers = {false, true};
    EXPECT_FALSE(AskYesNo(QStringLiteral("确定吗？")));
    EXPECT_TRUE(AskYesNo(QStringLiteral("再问一次？")));
    ASSERT_EQ(seam.messages.size(), 5);
    EXPECT_EQ(seam.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(seam.messages[1].title, QStringLiteral("错误"));
    EXPECT_EQ(seam.messages[2].title, QStringLiteral("警告"));
    EXPECT_EQ(seam.messages[3].title, QStringLiteral("询问"));
    EXPECT_EQ(seam.messages[3].kind, ui::MessageKind::Question);
    EXPECT_EQ(seam.lastText(), QStringLiteral("再问一次？"));
}

TEST(Seam, ModalWindowsGoToTheTestsHandler) {
    ui::RecordingSeam seam;
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("商品数量"));
    seam.modals.push_back([](QDialog& d) {
        d.accept();
        return d.result();
    });
    EXPECT_EQ(ui::execModal(dialog), QDialog::Accepted);
    EXPECT_EQ(ui::execModal(dialog), QDialog::Rejected); // no handler left
    EXPECT_EQ(seam.modalTitles, (QStringList{QStringLiteral("商品数量"), QStringLiteral("商品数量")}));
}
