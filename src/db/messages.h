// The message boxes every window of both programs uses.
#pragma once

#include <QString>

class QWidget;

namespace shop {

// "提示", information icon.
void ShowNotice(const QString& text, QWidget* parent = nullptr);
// "错误", error icon.
void ShowError(const QString& text, QWidget* parent = nullptr);
// "警告", warning icon.
void ShowWarning(const QString& text, QWidget* parent = nullptr);
// "询问", question icon, Yes and No; true for Yes.
bool AskYesNo(const QString& text, QWidget* parent = nullptr);

} // namespace shop
