#include "support/tillfixture.h"
#include "till/keycodes.h"
#include "till/keymap.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace shop;
using namespace shop::till;

TEST(KeyMap, FirstMatchingRowWins) {
    const ShortcutCodes standard;
    struct Case {
        int code;
        KeyState state;
        KeyAction action;
    } cases[] = {
        {vk::Up, {1, 3, 1, false}, KeyAction::SelectPrevious},
        {vk::Up, {0, 3, 1, false}, KeyAction::None},
        {vk::Down, {1, 3, 1, false}, KeyAction::SelectNext},
        {vk::Down, {2, 3, 1, false}, KeyAction::None},
        {vk::Multiply, {0, 1, 1, false}, KeyAction::ChangeQuantity},
        {vk::F1 + 6, {-1, 1, 1, false}, KeyAction::None}, // F7 without a selected line
        {vk::Return, {-1, 1, 2, false}, KeyAction::FocusCash},
        {vk::Return, {-1, 1, 1, false}, KeyAction::None},
        {vk::Add, {}, KeyAction::MemberCard},
        {vk::F1 + 7, {}, KeyAction::MemberCard},
        {vk::Subtract, {}, KeyAction::OrderDiscount},
        {vk::F1 + 5, {}, KeyAction::OrderDiscount},
        {vk::Divide, {0, 1, 1, false}, KeyAction::LineDiscount},
        {vk::Divide, {-1, 1, 1, false}, KeyAction::None},
        {vk::F1 + 3, {}, KeyAction::DailySummary},
        {vk::F1 + 3, {-1, 0, 1, true}, KeyAction::None},
        {vk::F1 + 10, {-1, 0, 1, false}, KeyAction::None},
        {vk::F1 + 10, {-1, 2, 1, false}, KeyAction::HoldSale},
        {vk::F12, {}, KeyAction::RecallSale},
        {vk::Insert, {}, KeyAction::OpenDrawer},
        {vk::Next, {}, KeyAction::Settle},
        {vk::Delete, {0, 1, 1, false}, KeyAction::DeleteLine},
        {vk::Delete, {-1, 1, 1, false}, KeyAction::None},
        {vk::Home, {}, KeyAction::FocusCard},
        {'L', {-1, 0, 1, true}, KeyAction::LockScreen},
        {'L', {}, KeyAction::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(int(matchKey(c.code, c.state, standard)), int(c.action)) << "key " << c.code;
    // A shortcut set to the same code as Enter wins over Enter, being earlier in the map.
    EXPECT_EQ(int(matchKey(vk::Return, {0, 1, 2, false}, ShortcutCodes{vk::Return, 107, 109})),
              int(KeyAction::ChangeQuantity));
    // A discount key that is not a number (255) leaves F6 as the only key.
    EXPECT_EQ(int(matchKey(vk::Subtract, {}, ShortcutCodes{106, 107, 255})), int(KeyAction::None));
}

TEST(KeyMap, NumericPadAndFunctionKeysHaveTheirCodes) {
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        int code;
    } cases[] = {{Qt::Key_Minus, Qt::KeypadModifier, 109}, {Qt::Key_Plus, Qt::KeypadModifier, 107},
                 {Qt::Key_Asterisk, Qt::KeypadModifier, 106}, {Qt::Key_Slash, Qt::KeypadModifier, 111},
                 {Qt::Key_Minus, Qt::NoModifier, 189},        {Qt::Key_F6, Qt::NoModifier, 117},
                 {Qt::Key_PageDown, Qt::NoModifier, 34},      {Qt::Key_A, Qt::NoModifier, 65},
                 {Qt::Key_7, Qt::KeypadModifier, 103}};
    for (const auto& c : cases) {
        QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers);
        EXPECT_EQ(windowsKeyCode(event), c.code) << c.key;
    }
    EXPECT_EQ(keyCodeLabel(117, QString()), QStringLiteral("F6"));
    EXPECT_EQ(keyCodeLabel(109, QStringLiteral("-")), QStringLiteral("-"));
}

TEST(KeyMap, TheWindowSeesKeysBeforeTheFocusedField) {
    test::TillFixture till;
    till.loginWith(QStringLiteral("888"));
    ASSERT_TRUE(till.start());
    TmainForm& form = *till.form;
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    form.barcodeinputEdit->setFocus();
    QTest::keyClick(form.barcodeinputEdit, Qt::Key_Home);
    EXPECT_EQ(QApplication::focusWidget(), form.cardNoEdit);

    form.SaleStage = 2;
    QTest::keyClick(form.cardNoEdit, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form.receivemoneyEdit);

    BasketLine line;
    line.caption = QStringLiteral("1");
    for (int i = 0; i < 3; ++i)
        form.basket().append(line);
    form.selectRow(1);
    QTest::keyClick(form.barcodeinputEdit, Qt::Key_Up);
    EXPECT_EQ(form.selectedRow(), 0);
    QTest::keyClick(form.barcodeinputEdit, Qt::Key_Up); // already the first line
    EXPECT_EQ(form.selectedRow(), 0);
    QTest::keyClick(form.barcodeinputEdit, Qt::Key_Down);
    QTest::keyClick(form.barcodeinputEdit, Qt::Key_Down);
    QTest::keyClick(form.barcodeinputEdit, Qt::Key_Down);
    EXPECT_EQ(form.selectedRow(), 2);
    // A key the map leaves alone reaches the field.
    QTest::keyClicks(form.barcodeinputEdit, QStringLiteral("69"));
    EXPECT_EQ(form.barcodeinputEdit->text(), QStringLiteral("69"));
}
