// Who works the till in this run: the logged-in cashier and the state of the login.
#pragma once

#include <QString>

namespace shop::till {

struct TillSession {
    QString CashierName;
    bool EverLoggedIn = false; // a login succeeded in this run; never reset
    bool LoginPassed = false;  // the last login dialog ended with a successful login
};

} // namespace shop::till
