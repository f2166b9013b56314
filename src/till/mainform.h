// The till's main window, in which the whole sale happens: the member panel, the barcode field,
// the basket, the totals, the payment fields, the settle button and the status bar. It is
// worked from the keyboard.
#pragma once

#include "till/basket/addgoods.h"
#include "till/basket/basketmodel.h"
#include "till/basket/recount.h"
#include "till/keymap.h"
#include "till/member/memberlookup.h"
#include "till/member/saleslookup.h"
#include "till/session.h"
#include "till/shoprules.h"
#include "till/tillsettings.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSystemTrayIcon;
class QTableView;
class QTimer;
class QToolBar;
class QToolButton;

namespace shop::till {

class GlobalHotKey;
class OrderRecorder;
class PickerGrid;
class TDM;

class TmainForm : public QMainWindow {
    Q_OBJECT
public:
    TmainForm(TDM& dm, TillSession& session, QWidget* parent = nullptr);
    ~TmainForm() override;

    // Creation steps in their order, the login among them. False when nobody logged in: the
    // program then ends.
    bool FormCreate();

    TDM& dm() { return dm_; }
    BasketModel& basket() { return *basket_; }
    const TillSettings& settings() const { return settings_; }
    const ShopRules& rules() const { return rules_; }
    const ShopNames& names() const { return names_; }
    TillSession& session() { return session_; }

    // Builds the controls once; FormCreate does it, tests of single controls may call it.
    void ensureLayout();
    // Reads the settings file again and applies it (after the settings window saves).
    void readIni();
    // The window placement as the settings file keeps it.
    void writePlacement();

    // The selected basket row, -1 when none.
    int selectedRow() const;
    void selectRow(int row);

    // Sale state.
    int SaleStage = 1;
    QString OrderSerial = QStringLiteral("00000000000");
    QString fujiastr; // extra receipt text
    bool canexit = false;

    // Member values of the sale.
    bool ismember = false;
    QString card_id;
    int jifen = 0;
    QString mtype;
    double kayuE = 0;
    bool isbirthday = false;
    QString mem_tel;
    int sales_id = -1;
    QString sales_name;

    // Service switches read at start-up.
    bool wxMember = false;
    bool wxPay = false;
    bool cloudBackup = false;

    // Controls, named as the shop's other windows and the help refer to them.
    QLineEdit* cardNoEdit;
    QLabel* mnameEdit;
    QLabel* addupEdit;
    QLabel* cardtypeEdit;
    QLabel* yuEEdit;
    QLabel* mtypeEdit;
    QLabel* disRateEdit;
    QLineEdit* barcodeinputEdit;
    QLabel* liushuiLbl;
    QTableView* ListView;
    QLabel* totalMoneyLbl;
    QLineEdit* totalMoneyEdit; // hidden: the applicable total
    QLabel* goodscountLbl;
    QLineEdit* salesEdit;
    QLabel* salesLbl;
    QLineEdit* realmoneyEdit;
    QPushButton* DiscountBtn;
    QLineEdit* receivemoneyEdit;
    QLineEdit* kafuEdit;
    QLineEdit* yinlianEdit;
    QLabel* Label14; // the other payment's means
    QLineEdit* changeMoneyEdit;
    QPushButton* printBtn;
    QPushButton* printPreBtn;
    QToolBar* toolBar;
    QLabel* status1;
    QLabel* status2;
    QLabel* status3;
    QToolButton* dxBtn;
    QToolButton* menuBtn;
    QMenu* mainMenu;
    QMenu* listMenu;
    QSystemTrayIcon* trayIcon = nullptr;
    QTimer* statusTimer;

    // Commands of the keyboard map and the buttons. Each returns whether it was carried out
    // (a key whose command does nothing here goes on to the focused field).
    virtual bool runAction(KeyAction action);

    void showMainWindow();
    void statusTimerTimer();
    // The view password asked before the daily summary when the shop wants it.
    bool askViewPassword();

    // ---- Taking payment and settling -------------------------------------------------------
    // "结算打印" and Page Down: records the sale, prints the receipt, clears the screen. False
    // when nothing was settled (payments short, or the sale could not be stored).
    bool printBtnClick();
    // "打印上一单": the last receipt again, also after a restart.
    void printPreBtnClick();
    // Checks the payments and works out the change.
    bool ComputeChange();
    // Empties the sale screen for the next customer.
    void ResetSale();
    // The payment fields' keys.
    void receivemoneyEditEnter();
    void kafuEditEnter();
    void kafuEditRight();
    void kafuEditExit();
    void yinlianEditEnter();
    void yinlianEditEntered();
    // Puts a change into its field; a negative change empties the cash and change fields.
    void showChange(const QString& text);
    // The other means of the sale (Label14): a bank card unless the customer chooses otherwise.
    virtual QString chooseOtherMeans();
    // The sale is a counted-card use (set by the counted-card window).
    bool cika = false;
    // Points earned by the last settled sale.
    double jf_addup = 0;
    // The receipt template read at start-up.
    QString receiptTemplateText;
    // Where the last sale's receipt went.
    QString lastPrintMessage;

    // ---- Ringing up: the barcode field, the basket, the member card and the sales person ----
    // (mainform_basket.cpp, mainform_member.cpp)

    // The goods picker over the basket: barcode, name, price.
    PickerGrid* listGrid = nullptr;
    // The member picker over the basket: name, telephone.
    PickerGrid* memberGrid = nullptr;
    // The part of the basket that a whole-order discount may not touch, as the last recount left it.
    double nodismoney = 0;

    // Enter in the barcode field: finds the typed code and adds the item, offers the picker,
    // or moves on to paying when the field is empty.
    void barcodeinputEditEnter();
    // Puts a found item into the basket (or one more piece on its line), then recounts.
    void AddGoodsToBasket(const GoodsRow& goods);
    // Prices every line again and shows the totals, the piece count, the change and the headings;
    // empties and focuses the barcode field. Returns the piece count as goodscountLbl shows it.
    QString GoodsCount();
    // Deletes the selected line and recounts; false when no line is selected.
    bool DeleteLine();
    // Spreads the payable shown in realmoneyEdit over the lines (whole-order discount, member card window).
    void moneyopt();

    // Enter in the card field: looks the member up and attaches, refuses, or offers the picker.
    void cardNoEditEnter();
    // Shows and keeps a found member's values, prices the basket for the member, and opens the
    // counted-card window for a counted card.
    void attachMember(const MemberValues& member);
    // No member for this sale any more (the card field was emptied).
    void detachMember();
    // The counted-card window for `card` (a counted card was attached); a use it accepts is
    // settled at once (mainform_dialogs.cpp).
    void openCountedCard(const QString& card);
    // Enter in the sales-person field: finds the sales person by code, then by name.
    void salesEditEnter();

    // ---- end of ringing up ----

    // ---- Sale entry dialogs: goods query, quantity, discount, sales staff, counted card ----
    // (mainform_dialogs.cpp)

    // The goods query window (F3, "查询", "商品查询 F3").
    void openGoodsQuery();
    // An item taken in the goods query window: its code goes into the barcode field and Enter
    // is pressed there, so it is rung up as if the cashier had typed it.
    void takeQueriedCode(const QString& code);
    // The quantity window for the selected line (quantity key, F7, double click, "修改数量").
    void ChangeQuantity();
    // The discount window for the whole order (discount key, F6, "打折") or for the selected
    // line (numeric-pad "/", "修改折扣").
    void OpenDiscount(bool zhengdan);
    // The sales staff window (F5).
    void openSalesForm();
    // When cash has been typed, shows the change against `payable`; false when there is no cash.
    bool showChangeFor(double payable);
    // ---- end of the sale entry dialogs ----

signals:
    // After the creation steps, for the parts that start with the window.
    void created();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void connectPaymentFields();
    bool settleSale();
    bool settling_ = false;
    bool paymentFieldHasFocus() const;
    void buildMenusAndTray();
    void applyPlacement();
    void readServiceSwitches();
    bool handleKey(QKeyEvent* event);
    KeyState keyState(const QKeyEvent* event) const;
    void resetSaleDisplay();

    TDM& dm_;
    TillSession& session_;
    TillSettings settings_;
    ShopRules rules_;
    ShopNames names_;
    BasketModel* basket_;
    std::unique_ptr<GlobalHotKey> hotKey_;
    // Keeps the settlement's statements prepared from one sale to the next.
    std::unique_ptr<OrderRecorder> recorder_;

    // ---- Ringing up (mainform_basket.cpp, mainform_member.cpp) ----
    // How a key press in one of the sale's own fields is handled, before the keyboard map.
    enum class FieldKey {
        Map,   // not the field's: the keyboard map decides
        Field, // the field handles it itself; the map leaves it alone
        Done,  // handled here
    };
    FieldKey saleFieldKey(QWidget* widget, QKeyEvent* event);
    FieldKey memberFieldKey(QWidget* widget, QKeyEvent* event);
    void buildSaleFields();
    void focusMoved(QWidget* old, QWidget* now);
    void memberFocusMoved(QWidget* old, QWidget* now);
    RecountInput recountInput() const;
    SaleTerms saleTerms() const;
    std::optional<TypedPriceQuantity> askPriceAndQuantity();
    void addToBasket(const GoodsRow& goods, const std::optional<ItemPrices>& prices);
    void offerGoods(const std::vector<GoodsRow>& rows);
    void offerMembers(const std::vector<MemberRow>& rows);
    void pickGoods(const QString& goodsId);
    void pickMember(const QString& cardId);
    // Runs `work`; an error of the database engine is shown as its message, and the sale stays as it was.
    void showingEngineErrors(const std::function<void()>& work);
    // Shows `text` in a field unless it shows it already (no new layout of the same text).
    static void showText(QLineEdit* field, const QString& text);
    static void showText(QLabel* field, const QString& text);
    GoodsLookup& goodsLookup();
    GoodsAdder& goodsAdder();
    MemberLookup& memberLookup();
    SalesLookup& salesLookup();
    std::unique_ptr<GoodsLookup> goodsLookup_;
    std::unique_ptr<GoodsAdder> goodsAdder_;
    std::unique_ptr<MemberLookup> memberLookup_;
    std::unique_ptr<SalesLookup> salesLookup_;
    // Ended with the window: focus moves while its widgets are torn down are not its business.
    QMetaObject::Connection focusWatch_;
    // ---- end of ringing up ----
};

} // namespace shop::till
