#include "platform/uiseam.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace shop::ui {

namespace {

QWidget* ownerOf(QWidget* parent) {
    return parent ? parent : QApplication::activeWindow();
}

class DesktopSeam final : public Seam {
public:
    bool message(QWidget* parent, MessageKind kind, const QString& title, const QString& text) override {
        QMessageBox::Icon icon = QMessageBox::Information;
        switch (kind) {
        case MessageKind::Notice:
            break;
        case MessageKind::Error:
            icon = QMessageBox::Critical;
            break;
        case MessageKind::Warning:
            icon = QMessageBox::Warning;
            break;
        case MessageKind::Question:
            icon = QMessageBox::Question;
            break;
        }
        QMessageBox box(icon, title, text, QMessageBox::NoButton, ownerOf(parent));
        if (kind == MessageKind::Question) {
            QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
            box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
            box.setDefaultButton(yes);
            box.exec();
            return box.clickedButton() == yes;
        }
        box.setDefaultButton(box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole));
        box.exec();
        return true;
    }

    std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& label,
                                     const QString& initial, bool password) override {
        bool ok = false;
        const QString text = QInputDialog::getText(ownerOf(parent), title, label,
                                                   password ? QLineEdit::Password : QLineEdit::Normal, initial, &ok);
        if (!ok)
            return std::nullopt;
        return text;
    }

    QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override {
        return QFileDialog::getOpenFileName(ownerOf(parent), title, folder, filter);
    }

    QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override {
        return QFileDialog::getSaveFileName(ownerOf(parent), title, folder, filter);
    }

    QString existingFolder(QWidget* parent, const QString& title, const QString& folder) override {
        return QFileDialog::getExistingDirectory(ownerOf(parent), title, folder);
    }

    int execModal(QDialog& dialog) override { return dialog.exec(); }
};

DesktopSeam& desktopSeam() {
    static DesktopSeam seam;
    return seam;
}

Seam* installed = nullptr;

} // namespace

Seam& seam() {
    return installed ? *installed : desktopSeam();
}

void installSeam(Seam* seam) {
    installed = seam;
}

} // namespace shop::ui
