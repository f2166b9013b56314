// The copy of the database refreshed after sales: "最新备份.nBAK" in the backup folder, kept only
// when the shop created that file.
#pragma once

#include "db/connection.h"

#include <QString>

#include <functional>

namespace shop::till {

// Copies the open database over "最新备份.nBAK" when that file exists. False when there is no
// such file or the copy failed (`error` says why; the old copy stays whole).
bool RefreshLatestBackup(db::Connection& connection, QString* error = nullptr);

// After a finished sale the copy is refreshed in one sale of four, chosen by a random draw.
class AfterSaleBackup {
public:
    // A whole number from 0 to 3; the copy is made when it is 2.
    using Draw = std::function<int()>;
    enum class Outcome { NotDrawn, NoLatestFile, Copied, Failed };

    explicit AfterSaleBackup(db::Connection& connection, Draw draw = {});
    Outcome afterSale(QString* error = nullptr);

    static constexpr int kDrawThatCopies = 2;

private:
    db::Connection& connection_;
    Draw draw_;
};

} // namespace shop::till
