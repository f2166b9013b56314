// A seam for tests: every message box, input box, file dialog and modal window is written down
// and answered from queues the test fills, without anything waiting for a person.
#pragma once

#include "platform/uiseam.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

namespace shop::ui {

class RecordingSeam final : public Seam {
public:
    struct Message {
        MessageKind kind;
        QString title;
        QString text;
    };

    // Installs itself for its lifetime.
    RecordingSeam();
    ~RecordingSeam() override;

    // Answers to questions, in order; "Yes" once they run out.
    std::deque<bool> answers;
    // Answers to input boxes; a missing answer is a cancel.
    std::deque<std::optional<QString>> inputs;
    // Answers to file and folder dialogs; an empty text is a cancel.
    std::deque<QString> files;
    // Called for each modal window, in order; it may drive the window and returns its result.
    // Without a handler the window is rejected.
    std::deque<std::function<int(QDialog&)>> modals;

    // Called while each message box is up (a test may act as the cashier would meanwhile).
    std::function<void(const Message&)> onMessage;

    QList<Message> messages;
    QStringList inputTitles;
    QStringList modalTitles;

    QStringList texts() const;
    QString lastText() const;
    void clear();

    bool message(QWidget* parent, MessageKind kind, const QString& title, const QString& text) override;
    std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& label,
                                     const QString& initial, bool password) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    QString existingFolder(QWidget* parent, const QString& title, const QString& folder) override;
    int execModal(QDialog& dialog) override;

private:
    QString nextFile();
    Seam* previous_;
};

} // namespace shop::ui
