// The till's main window, in which the whole sale happens: the member panel, the barcode field,
// the basket, the totals, the payment fields, the settle button and the status bar. It is
// worked from the keyboard.
#pragma once

#include "till/basket/basketmodel.h"
#include "till/keymap.h"
#include "till/session.h"
#include "till/shoprules.h"
#include "till/tillsettings.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

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
    QLineEdit* mnameEdit;
    QLineEdit* addupEdit;
    QLineEdit* cardtypeEdit;
    QLineEdit* yuEEdit;
    QLineEdit* mtypeEdit;
    QLineEdit* disRateEdit;
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
};

} // namespace shop::till
