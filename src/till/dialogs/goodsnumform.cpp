#include "till/dialogs/goodsnumform.h"

#include "db/messages.h"
#include "till/dialogs/fieldkeys.h"
#include "till/dialogs/linequantity.h"
#include "till/mainform.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace shop::till {

TgoodsNumForm::TgoodsNumForm(TmainForm& main, int row) : QDialog(&main), main_(main), row_(row) {
    setObjectName(QStringLiteral("TgoodsNumForm"));
    setWindowTitle(QStringLiteral("商品数量"));

    const BasketLine& line = main.basket().line(row);
    goodsinfoLbl = new QLabel(this);
    goodsinfoLbl->setObjectName(QStringLiteral("goodsinfoLbl"));
    goodsinfoLbl->setText(QStringLiteral("商品：") + line.sub(Sub::Name) + u'\n' + QStringLiteral("单价：") +
                          line.sub(Sub::UnitPrice) + u'\n' + QStringLiteral("数量：") + line.sub(Sub::Quantity));
    goodsinfoLbl->setMinimumWidth(300);
    goodNumEdit = new QLineEdit(this);
    goodNumEdit->setObjectName(QStringLiteral("goodNumEdit"));
    goodNumEdit->setMaxLength(12);
    keepCharacters(goodNumEdit, digitsAndPoint());
    okBtn = new QPushButton(QStringLiteral("确认"), this);
    okBtn->setObjectName(QStringLiteral("okBtn"));
    okBtn->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 14, 16, 14);
    grid->setVerticalSpacing(10);
    grid->addWidget(goodsinfoLbl, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("修改数量为："), this), 1, 0);
    grid->addWidget(goodNumEdit, 1, 1);
    grid->addWidget(okBtn, 1, 2);
    setFixedSize(sizeHint());

    connect(okBtn, &QPushButton::clicked, this, &TgoodsNumForm::okBtnClick);
    onEnter(goodNumEdit, [this] { okBtnClick(); });
    goodNumEdit->setFocus();
}

void TgoodsNumForm::okBtnClick() {
    if (row_ < 0 || row_ >= main_.basket().size())
        return;
    const QuantityChange change = changeQuantity(main_.basket().line(row_), goodNumEdit->text());
    switch (change.outcome) {
    case QuantityChange::Outcome::Nothing:
        return;
    case QuantityChange::Outcome::Unreadable:
        ShowNotice(quantityUnreadableMessage(), this);
        goodNumEdit->clear();
        goodNumEdit->setFocus();
        return;
    case QuantityChange::Outcome::Remove:
        // The line goes as with Delete, which recounts.
        main_.selectRow(row_);
        main_.DeleteLine();
        break;
    case QuantityChange::Outcome::Changed:
        main_.basket().replace(row_, change.line);
        // The recount shows the piece count, empties the barcode field and puts the focus there.
        main_.GoodsCount();
        break;
    }
    accept();
}

} // namespace shop::till
