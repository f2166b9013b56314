#include "db/messages.h"

#include "platform/uiseam.h"

namespace shop {

void ShowNotice(const QString& text, QWidget* parent) {
    ui::seam().message(parent, ui::MessageKind::Notice, QStringLiteral("提示"), text);
}

void ShowError(const QString& text, QWidget* parent) {
    ui::seam().message(parent, ui::MessageKind::Error, QStringLiteral("错误"), text);
}

void ShowWarning(const QString& text, QWidget* parent) {
    ui::seam().message(parent, ui::MessageKind::Warning, QStringLiteral("警告"), text);
}

bool AskYesNo(const QString& text, QWidget* parent) {
    return ui::seam().message(parent, ui::MessageKind::Question, QStringLiteral("询问"), text);
}

} // namespace shop
