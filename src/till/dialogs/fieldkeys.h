// Keyboard habits shared by the till's small windows: numeric fields that take only their
// characters, Enter that moves along, checks that run when the cashier leaves a field, and the
// windows' places over the main window.
#pragma once

#include <QString>

#include <functional>

class QLineEdit;
class QWidget;

namespace shop::till {

// The field takes only the characters in `allowed` (and at most `maxLength` of them when that
// is above 0). Keys that type nothing (Backspace, Enter, Escape, arrows) pass as usual; so do
// shortcuts such as copy, but not pasting, which could bring in anything.
void keepCharacters(QLineEdit* field, const QString& allowed, int maxLength = 0);

inline QString digitsOnly() {
    return QStringLiteral("0123456789");
}
inline QString digitsAndPoint() {
    return QStringLiteral("0123456789.");
}

// Enter (the main key or the numeric pad's) in `widget` runs `action` and goes no further.
void onEnter(QWidget* widget, std::function<void()> action);

// The cashier leaves `field` for another control of the same window: runs `action`. Nothing
// runs when the window itself loses the focus (a message box comes up) or when the focus goes
// to `except` (the window's cancel button).
void onLeave(QWidget* field, std::function<void()> action, QWidget* except = nullptr);

// Centres `dialog` on `over`.
void centreOn(QWidget& dialog, const QWidget& over);
// Centres `dialog` across `over`, `below` pixels under its top edge.
void placeBelowTop(QWidget& dialog, const QWidget& over, int below);

} // namespace shop::till
