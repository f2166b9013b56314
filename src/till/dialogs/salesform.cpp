#include "till/dialogs/salesform.h"

#include "db/messages.h"
#include "till/dialogs/fieldkeys.h"
#include "till/mainform.h"
#include "till/tdm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace shop::till {

namespace {
const QString kNameCaption = QStringLiteral("销售人员姓名：");
}

TsalesForm::TsalesForm(TmainForm& main) : QDialog(&main), lookup_(main.dm().connection()) {
    setObjectName(QStringLiteral("TsalesForm"));
    setWindowTitle(QStringLiteral("销售人员"));

    nameCbx = new QComboBox(this);
    nameCbx->setObjectName(QStringLiteral("nameCbx"));
    nameCbx->setEditable(true);
    nameCbx->setInsertPolicy(QComboBox::NoInsert);
    nameCbx->setMinimumWidth(200);
    db::Query names(main.dm().connection());
    names.setSql(QStringLiteral("select sales_name from sales"));
    names.open();
    for (; !names.eof(); names.next())
        nameCbx->addItem(names.value(0).toString());
    nameCbx->setCurrentIndex(-1);
    nameCbx->clearEditText();

    Label2 = new QLabel(kNameCaption, this);
    Label2->setObjectName(QStringLiteral("Label2"));
    okBtn = new QPushButton(QStringLiteral("确认"), this);
    okBtn->setObjectName(QStringLiteral("okBtn"));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 14, 16, 14);
    grid->setVerticalSpacing(12);
    grid->addWidget(new QLabel(QStringLiteral("销售人员代码/姓名："), this), 0, 0);
    grid->addWidget(nameCbx, 0, 1);
    grid->addWidget(Label2, 1, 0, 1, 2);
    grid->addWidget(okBtn, 2, 1, Qt::AlignRight);
    setFixedSize(sizeHint());

    // Keys reach the drop-down, which hands them on to its text field; Enter stops at the first.
    onEnter(nameCbx, [this] { nameCbxEnter(); });
    onEnter(nameCbx->lineEdit(), [this] { nameCbxEnter(); });
    // Choosing from the list works as Enter on the chosen name.
    connect(nameCbx, &QComboBox::activated, this, [this] {
        QCoreApplication::postEvent(
            nameCbx, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")));
    });
    connect(okBtn, &QPushButton::clicked, this, &QDialog::accept);
    nameCbx->setFocus();
}

void TsalesForm::nameCbxEnter() {
    const QString typed = nameCbx->currentText();
    if (typed.isEmpty())
        return;
    std::optional<SalesPerson> person;
    try {
        person = lookup_.find(typed);
    } catch (const db::DbError& e) {
        ShowError(e.message(), this);
        return;
    }
    if (!person) {
        ShowNotice(SalesLookup::notFoundMessage(), this);
        nameCbx->setCurrentIndex(-1);
        nameCbx->clearEditText();
        query = false;
        Label2->setText(kNameCaption);
        return;
    }
    found_ = *person;
    query = true;
    Label2->setText(kNameCaption + found_.salesName);
    okBtn->setFocus();
}

} // namespace shop::till
