// The real till window on an empty shop, shown offscreen and active, with helpers that type
// into its fields the way a cashier (or a scanner) does.
#pragma once

#include "platform/clock.h"
#include "shopgoods.h"
#include "shopmembers.h"
#include "support/tillfixture.h"
#include "till/tillsettings.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace shop::test {

class SaleWindow : public ::testing::Test {
protected:
    SaleWindow() : till(false) {
        // A summer morning in the shop (China time).
        Clock::setFixed(QDateTime(QDate(2025, 6, 30), QTime(10, 0), QTimeZone(8 * 3600)).toUTC());
    }

    // Starts the till with `ini` as the lines of its settings file (section "cash") and the
    // shop's rules changed by `settingSql`, then shows the window and makes it active.
    void start(const char* ini = "", const char* settingSql = nullptr) {
        QFile file(till::TillSettings::filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("[cash]\n") + ini);
        file.close();
        if (settingSql)
            db().exec(QString::fromUtf8(settingSql));
        till.loginWith(QStringLiteral("888"));
        ASSERT_TRUE(till.start());
        form().show();
        QApplication::setActiveWindow(&form());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
        till.seam.clear();
    }

    till::TmainForm& form() { return *till.form; }
    db::Connection& db() { return till.dm->connection(); }

    // Types `code` into the barcode field and presses Enter, as a scanner does.
    void scan(const QString& code) {
        form().barcodeinputEdit->setFocus();
        form().barcodeinputEdit->setText(code);
        QTest::keyClick(form().barcodeinputEdit, Qt::Key_Return);
    }
    // Types `text` into the card field and presses Enter.
    void enterCard(const QString& text) {
        form().cardNoEdit->setFocus();
        form().cardNoEdit->setText(text);
        QTest::keyClick(form().cardNoEdit, Qt::Key_Return);
    }
    QString cell(int row, till::Sub sub) { return form().basket().line(row).sub(sub); }
    QWidget* focused() const { return QApplication::focusWidget(); }

    TillFixture till;
};

} // namespace shop::test
