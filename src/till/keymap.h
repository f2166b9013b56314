// The till's keyboard map: which command a key press starts, given the state of the sale. The
// main window sees every key before the focused field; the first matching row wins.
#pragma once

namespace shop::till {

enum class KeyAction {
    None,
    SelectPrevious,  // Up: the line above
    SelectNext,      // Down: the line below
    ChangeQuantity,  // quantity key or F7, a line selected
    FocusCash,       // Enter while paying
    MemberCard,      // member-card key or F8
    OrderDiscount,   // discount key or F6
    LineDiscount,    // numeric-pad "/", a line selected
    Help,            // F1
    Birthdays,       // F2
    GoodsQuery,      // F3
    DailySummary,    // F4 without Alt
    SalesPerson,     // F5
    RecallSale,      // F12
    HoldSale,        // F11 with lines in the basket
    OpenDrawer,      // Insert
    Settle,          // Page Down
    DeleteLine,      // Delete, a line selected
    FocusCard,       // Home
    LockScreen,      // Alt+L
    // Commands of the tool bar and the menu that no key starts.
    Returns,
    CashBox,
    Handover,
    Settings,
    PrintLast,
};

struct KeyState {
    int selectedRow = -1; // -1: no line selected
    int lineCount = 0;
    int saleStage = 1;
    bool altHeld = false;
};

struct ShortcutCodes {
    int shuliangK = 106;
    int jifenK = 107;
    int dazheK = 109;
};

// `code` is the Windows key code of the press (see keycodes.h).
KeyAction matchKey(int code, const KeyState& state, const ShortcutCodes& shortcuts);

} // namespace shop::till
