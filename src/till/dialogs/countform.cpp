#include "till/dialogs/countform.h"

#include "db/messages.h"
#include "till/dialogs/fieldkeys.h"
#include "till/mainform.h"
#include "till/tdm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace shop::till {

TcountForm::TcountForm(TmainForm& main, const QString& cardId)
    : QDialog(&main), card_id(cardId), pendingUses_(pendingCountedUses(main.basket().lines())) {
    setObjectName(QStringLiteral("TcountForm"));
    setWindowTitle(QStringLiteral("次卡消费"));

    try {
        card_ = countedCardInfo(main.dm().ZQuery, card_id);
    } catch (const db::DbError& e) {
        ShowError(e.message(), &main);
    }

    auto* memberBox = new QGroupBox(QStringLiteral("会员信息"), this);
    auto* memberGrid = new QGridLayout(memberBox);
    auto value = [memberBox](const QString& text, const char* name) {
        auto* label = new QLabel(text, memberBox);
        label->setObjectName(QString::fromLatin1(name));
        label->setMinimumWidth(150);
        return label;
    };
    cardLbl = value(card_.found ? card_.cardId : card_id, "cardLbl");
    nameLbl = value(card_.name, "nameLbl");
    countLbl = value(QString::number(card_.count), "countLbl");
    spentLbl = value(QString::number(card_.countSpent), "spentLbl");
    const std::pair<const char16_t*, QLabel*> rows[] = {
        {u"会员卡号:", cardLbl}, {u"会员姓名:", nameLbl}, {u"剩余次数:", countLbl}, {u"消费次数:", spentLbl}};
    int row = 0;
    for (const auto& [caption, label] : rows) {
        memberGrid->addWidget(new QLabel(QString::fromUtf16(caption), memberBox), row, 0);
        memberGrid->addWidget(label, row, 1);
        ++row;
    }

    auto* useBox = new QGroupBox(QStringLiteral("会员消费"), this);
    auto* useRow = new QHBoxLayout(useBox);
    timesEdit = new QLineEdit(QStringLiteral("1"), useBox);
    timesEdit->setObjectName(QStringLiteral("timesEdit"));
    timesEdit->setMaxLength(9);
    keepCharacters(timesEdit, digitsOnly());
    useRow->addWidget(new QLabel(QStringLiteral("本次消费:"), useBox));
    useRow->addWidget(timesEdit, 1);

    okBtn = new QPushButton(QStringLiteral("确定"), this);
    okBtn->setObjectName(QStringLiteral("okBtn"));
    cancelBtn = new QPushButton(QStringLiteral("取消"), this);
    cancelBtn->setObjectName(QStringLiteral("cancelBtn"));
    cancelBtn->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn);
    buttons->addWidget(cancelBtn);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(16, 12, 16, 12);
    root->addWidget(memberBox);
    root->addWidget(useBox);
    root->addLayout(buttons);
    setFixedSize(sizeHint());

    onEnter(timesEdit, [this] { okBtn->setFocus(); });
    onLeave(
        timesEdit, [this] { timesEditExit(); }, cancelBtn);
    connect(okBtn, &QPushButton::clicked, this, &TcountForm::okBtnClick);
    connect(cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    timesEdit->setFocus();
    timesEdit->selectAll();
}

qint64 TcountForm::available() const {
    return card_.count - pendingUses_;
}

bool TcountForm::timesEditExit() {
    const UsesCheck check = checkUses(timesEdit->text(), available());
    if (check.outcome == UsesCheck::Outcome::Accepted)
        return true;
    ShowNotice(check.outcome == UsesCheck::Outcome::Overdraw ? overdrawMessage(available()) : usesWrongMessage(), this);
    // Back to the field with its text selected, so the next digit replaces it.
    timesEdit->setFocus();
    timesEdit->selectAll();
    return false;
}

void TcountForm::okBtnClick() {
    if (timesEdit->text().isEmpty())
        return;
    if (!timesEditExit())
        return;
    uses_ = checkUses(timesEdit->text(), available()).uses;
    accept();
}

} // namespace shop::till
