#include "platform/recordingseam.h"

#include <QDialog>

namespace shop::ui {

RecordingSeam::RecordingSeam() : previous_(&seam()) {
    installSeam(this);
}

RecordingSeam::~RecordingSeam() {
    installSeam(previous_);
}

QStringList RecordingSeam::texts() const {
    QStringList out;
    for (const Message& m : messages)
        out.append(m.text);
    return out;
}

QString RecordingSeam::lastText() const {
    return messages.isEmpty() ? QString() : messages.constLast().text;
}

void RecordingSeam::clear() {
    messages.clear();
    inputTitles.clear();
    modalTitles.clear();
}

bool RecordingSeam::message(QWidget*, MessageKind kind, const QString& title, const QString& text) {
    messages.append(Message{kind, title, text});
    if (onMessage)
        onMessage(messages.constLast());
    if (kind != MessageKind::Question)
        return true;
    if (answers.empty())
        return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> RecordingSeam::inputText(QWidget*, const QString& title, const QString&, const QString&,
                                                bool) {
    inputTitles.append(title);
    if (inputs.empty())
        return std::nullopt;
    const bool given = inputs.front().has_value();
    const QString text = given ? *inputs.front() : QString();
    inputs.pop_front();
    if (!given)
        return std::nullopt;
    return text;
}

QString RecordingSeam::nextFile() {
    if (files.empty())
        return {};
    QString answer = files.front();
    files.pop_front();
    return answer;
}

QString RecordingSeam::openFileName(QWidget*, const QString&, const QString&, const QString&) {
    return nextFile();
}

QString RecordingSeam::saveFileName(QWidget*, const QString&, const QString&, const QString&) {
    return nextFile();
}

QString RecordingSeam::existingFolder(QWidget*, const QString&, const QString&) {
    return nextFile();
}

int RecordingSeam::execModal(QDialog& dialog) {
    modalTitles.append(dialog.windowTitle());
    if (modals.empty())
        return QDialog::Rejected;
    auto handler = std::move(modals.front());
    modals.pop_front();
    return handler(dialog);
}

} // namespace shop::ui
