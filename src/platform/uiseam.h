// The one seam through which the programs show message boxes, input boxes, file dialogs and
// modal windows. The programs use the desktop's own; tests install a RecordingSeam that writes
// down what was shown and answers it.
#pragma once

#include <QString>

#include <optional>

class QDialog;
class QWidget;

namespace shop::ui {

enum class MessageKind { Notice, Error, Warning, Question };

class Seam {
public:
    virtual ~Seam() = default;

    // A modal message box. For a question, true means "Yes"; otherwise the result is true.
    virtual bool message(QWidget* parent, MessageKind kind, const QString& title, const QString& text) = 0;
    // A one-line input box; nothing when it was cancelled.
    virtual std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& label,
                                             const QString& initial, bool password) = 0;
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString existingFolder(QWidget* parent, const QString& title, const QString& folder) = 0;
    // Shows `dialog` modally and returns its result code.
    virtual int execModal(QDialog& dialog) = 0;
};

// The seam in use. Installing nullptr goes back to the desktop's dialogs.
Seam& seam();
void installSeam(Seam* seam);

// Shorthands for modal windows.
inline int execModal(QDialog& dialog) {
    return seam().execModal(dialog);
}

} // namespace shop::ui
