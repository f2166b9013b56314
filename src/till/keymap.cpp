#include "till/keymap.h"

#include "till/keycodes.h"

namespace shop::till {

KeyAction matchKey(int code, const KeyState& s, const ShortcutCodes& k) {
    const bool selected = s.selectedRow >= 0 && s.selectedRow < s.lineCount;
    if (code == vk::Up && selected && s.selectedRow > 0)
        return KeyAction::SelectPrevious;
    if (code == vk::Down && selected && s.selectedRow < s.lineCount - 1)
        return KeyAction::SelectNext;
    if ((code == k.shuliangK || code == vk::F1 + 6) && selected)
        return KeyAction::ChangeQuantity;
    if (code == vk::Return && s.saleStage == 2)
        return KeyAction::FocusCash;
    if (code == k.jifenK || code == vk::F1 + 7)
        return KeyAction::MemberCard;
    if (code == k.dazheK || code == vk::F1 + 5)
        return KeyAction::OrderDiscount;
    if (code == vk::Divide && selected)
        return KeyAction::LineDiscount;
    if (code == vk::F1)
        return KeyAction::Help;
    if (code == vk::F1 + 1)
        return KeyAction::Birthdays;
    if (code == vk::F1 + 2)
        return KeyAction::GoodsQuery;
    if (code == vk::F1 + 3 && !s.altHeld)
        return KeyAction::DailySummary;
    if (code == vk::F1 + 4)
        return KeyAction::SalesPerson;
    if (code == vk::F12)
        return KeyAction::RecallSale;
    if (code == vk::F1 + 10 && s.lineCount > 0)
        return KeyAction::HoldSale;
    if (code == vk::Insert)
        return KeyAction::OpenDrawer;
    if (code == vk::Next)
        return KeyAction::Settle;
    if (code == vk::Delete && selected)
        return KeyAction::DeleteLine;
    if (code == vk::Home)
        return KeyAction::FocusCard;
    if (code == 'L' && s.altHeld)
        return KeyAction::LockScreen;
    return KeyAction::None;
}

} // namespace shop::till
