#include "till/dialogs/fieldkeys.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace shop::till {

namespace {

class CharacterFilter final : public QObject {
public:
    CharacterFilter(QLineEdit* field, QString allowed, int maxLength)
        : QObject(field), field_(field), allowed_(std::move(allowed)), maxLength_(maxLength) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste))
            return true;
        const QString text = key->text();
        if (text.isEmpty())
            return false;
        for (const QChar c : text) {
            // Backspace, Enter, Escape and Ctrl shortcuts type a control character.
            if (c.category() == QChar::Other_Control)
                return false;
        }
        for (const QChar c : text) {
            if (!allowed_.contains(c))
                return true;
        }
        const qsizetype kept = field_->text().size() - field_->selectedText().size();
        return maxLength_ > 0 && kept + text.size() > maxLength_;
    }

private:
    QLineEdit* field_;
    QString allowed_;
    int maxLength_;
};

class EnterFilter final : public QObject {
public:
    EnterFilter(QWidget* widget, std::function<void()> action) : QObject(widget), action_(std::move(action)) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        action_();
        return true;
    }

private:
    std::function<void()> action_;
};

class LeaveFilter final : public QObject {
public:
    LeaveFilter(QWidget* field, std::function<void()> action, QWidget* except)
        : QObject(field), field_(field), action_(std::move(action)), except_(except) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::FocusOut || running_)
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        QWidget* next = QApplication::focusWidget();
        if (!field_->window()->isVisible() || (except_ && next == except_) ||
            (next && next->window() != field_->window()))
            return false;
        // The field first takes its own leave (a line edit drops its selection), so that what
        // the check does to it, such as selecting the text again, stays.
        static_cast<QObject*>(field_)->event(event);
        // A check may show a message box and put the focus back; it must not run again meanwhile.
        running_ = true;
        action_();
        running_ = false;
        return true;
    }

private:
    QWidget* field_;
    std::function<void()> action_;
    QWidget* except_;
    bool running_ = false;
};

} // namespace

void keepCharacters(QLineEdit* field, const QString& allowed, int maxLength) {
    field->setAttribute(Qt::WA_InputMethodEnabled, false);
    field->setContextMenuPolicy(Qt::NoContextMenu);
    field->setAcceptDrops(false);
    field->installEventFilter(new CharacterFilter(field, allowed, maxLength));
}

void onEnter(QWidget* widget, std::function<void()> action) {
    widget->installEventFilter(new EnterFilter(widget, std::move(action)));
}

void onLeave(QWidget* field, std::function<void()> action, QWidget* except) {
    field->installEventFilter(new LeaveFilter(field, std::move(action), except));
}

void centreOn(QWidget& dialog, const QWidget& over) {
    const QRect area = over.frameGeometry();
    dialog.move(area.x() + (area.width() - dialog.width()) / 2, area.y() + (area.height() - dialog.height()) / 2);
}

void placeBelowTop(QWidget& dialog, const QWidget& over, int below) {
    const QRect area = over.frameGeometry();
    dialog.move(area.x() + (area.width() - dialog.width()) / 2, area.y() + below);
}

} // namespace shop::till
