// A till on a temporary shop: the data module, the main window, and a seam that logs the
// cashier in (or does whatever the test says with the login dialog).
#pragma once

#include "platform/recordingseam.h"
#include "support/shopfixture.h"
#include "till/mainform.h"
#include "till/tdm.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace shop::test {

class TillFixture {
public:
    explicit TillFixture(bool demo = true);
    ~TillFixture();

    // Answers the next login dialog by typing `password` for the selected (or named) user.
    void loginWith(const QString& password, const QString& user = {});
    // Creates the main window and runs its creation steps; returns what FormCreate returned.
    bool start();
    // Logs the cashier in and starts the till; the test fails when that does not work.
    void startLoggedIn();
    // Adds a good to the shop: its goods id.
    qint64 addGood(const QString& barcode, const QString& name, double price, double addupRate = 1);
    // Rings an item up by its barcode as the till prices it, and recounts the basket.
    void ringUp(const QString& barcode);
    // Attaches a member to the sale the way the card field does.
    void attachMember(const QString& card);

    TempShop shop;
    ui::RecordingSeam seam;
    std::unique_ptr<till::TDM> dm;
    till::TillSession session;
    std::unique_ptr<till::TmainForm> form;
};

} // namespace shop::test
