// The member card field, the member panel, the member picker and the sales-person field of the
// till's main window.
#include "db/messages.h"
#include "till/mainform.h"
#include "till/pickergrid.h"
#include "till/tdm.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

namespace shop::till {

TmainForm::FieldKey TmainForm::memberFieldKey(QWidget* widget, QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return FieldKey::Map;
    if (widget == cardNoEdit) {
        // An empty card field while paying leaves Enter to the window: on to the cash.
        if (SaleStage == 2 && cardNoEdit->text().trimmed().isEmpty())
            return FieldKey::Map;
        cardNoEditEnter();
        return FieldKey::Done;
    }
    if (widget == salesEdit) {
        salesEditEnter();
        return FieldKey::Done;
    }
    return FieldKey::Map;
}

void TmainForm::memberFocusMoved(QWidget* old, QWidget* now) {
    if (now == cardNoEdit && old != cardNoEdit)
        status1->setText(QStringLiteral("按回车键确认输入"));
    if (old == cardNoEdit && now != cardNoEdit) {
        if (cardNoEdit->text().isEmpty())
            status1->setText(QStringLiteral("无会员卡收银"));
        else if (ismember)
            showText(cardNoEdit, card_id);
    }
}

MemberLookup& TmainForm::memberLookup() {
    if (!memberLookup_)
        memberLookup_ = std::make_unique<MemberLookup>(dm_.connection());
    return *memberLookup_;
}

SalesLookup& TmainForm::salesLookup() {
    if (!salesLookup_)
        salesLookup_ = std::make_unique<SalesLookup>(dm_.connection());
    return *salesLookup_;
}

void TmainForm::cardNoEditEnter() {
    const QString typed = cardNoEdit->text().trimmed();
    if (typed.isEmpty()) {
        barcodeinputEdit->setFocus();
        return;
    }
    showingEngineErrors([&] {
        const CardLookupResult found = memberLookup().lookUp(typed, rules_.discountPolicy);
        switch (found.outcome) {
        case CardLookupResult::Outcome::NotFound:
            cardNoEdit->clear();
            break;
        case CardLookupResult::Outcome::Several:
            offerMembers(found.rows);
            break;
        case CardLookupResult::Outcome::Refused:
            ShowNotice(found.notice, this);
            cardNoEdit->setFocus();
            cardNoEdit->selectAll();
            break;
        case CardLookupResult::Outcome::Attached:
            attachMember(found.member);
            break;
        }
    });
}

void TmainForm::offerMembers(const std::vector<MemberRow>& rows) {
    std::vector<PickRow> offered;
    offered.reserve(rows.size());
    for (const MemberRow& member : rows)
        offered.push_back({member.cardId, {member.name, member.tel}});
    memberGrid->offer(std::move(offered), ListView->geometry());
}

void TmainForm::pickMember(const QString& cardId) {
    // The chosen card goes through the card field's Enter again, checks included.
    cardNoEdit->setText(cardId);
    cardNoEdit->setFocus();
    cardNoEditEnter();
}

void TmainForm::attachMember(const MemberValues& member) {
    ismember = true;
    card_id = member.cardId;
    jifen = member.jifen;
    mtype = member.mtype;
    kayuE = member.balance;
    isbirthday = member.birthday;
    showText(cardNoEdit, member.cardId);
    showText(mnameEdit, member.name);
    showText(addupEdit, member.pointsText);
    showText(cardtypeEdit, member.cardTypeText);
    showText(yuEEdit, member.balanceText);
    kafuEdit->setEnabled(member.cardPaymentEnabled);
    showText(mtypeEdit, member.mtype);
    showText(disRateEdit, QString::number(member.discount));
    // Lines with a member price take it now; the recount puts the focus into the barcode field.
    GoodsCount();
    if (member.countedCard)
        openCountedCard(member.cardId);
}

void TmainForm::detachMember() {
    ismember = false;
    isbirthday = false;
    card_id.clear();
    jifen = 0;
    mtype.clear();
    kayuE = 0;
    for (QLabel* field : {mnameEdit, addupEdit, cardtypeEdit, yuEEdit, mtypeEdit, disRateEdit})
        field->clear();
    // A card payment typed for the member who has gone would still be counted as paid.
    kafuEdit->clear();
    kafuEdit->setEnabled(false);
    basket_->setMemberHeadings(false);
}

void TmainForm::salesEditEnter() {
    const QString typed = salesEdit->text().trimmed();
    if (typed.isEmpty()) {
        receivemoneyEdit->setFocus();
        return;
    }
    showingEngineErrors([&] {
        if (const std::optional<SalesPerson> person = salesLookup().find(typed)) {
            sales_id = int(person->salesId);
            sales_name = person->salesName;
            status3->setText(QStringLiteral("销售:") + sales_name);
            salesLbl->setText(sales_name);
            receivemoneyEdit->setFocus();
            return;
        }
        ShowNotice(SalesLookup::notFoundMessage(), this);
        salesEdit->clear();
        if (salesEdit->isEnabled())
            salesEdit->setFocus();
        sales_id = -1;
        sales_name.clear();
        status3->setText(QStringLiteral("销售:"));
        salesLbl->setText(QStringLiteral("N/A"));
    });
}

} // namespace shop::till
