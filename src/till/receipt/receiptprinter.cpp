#include "till/receipt/receiptprinter.h"

#include "till/receipt/receiptfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

#include <cstdio>

namespace shop::till {

namespace {

PrintOutcome outcome(PrintOutcome::Result result, const QString& message = {}) {
    return PrintOutcome{result, message};
}

} // namespace

QString directPrinterName() {
    return QStringLiteral("无驱动直接打印");
}

QString pdfPrinterName() {
    return QStringLiteral("打印到PDF文件");
}

QString parallelPortDevice(int print) {
    return QStringLiteral("/dev/lp%1").arg(std::max(0, print));
}

bool isPrinterInstalled(const QString& name) {
    return !name.isEmpty() && QPrinterInfo::availablePrinterNames().contains(name);
}

PrintOutcome PrintReceiptFile(const QString& printerName, const QString& receiptFile, const ReceiptPictures& pictures,
                              int paper) {
    if (!isPrinterInstalled(printerName))
        return outcome(PrintOutcome::Result::NoPrinter);
    QStringList lines;
    if (!readReceiptLines(receiptFile, lines))
        return outcome(PrintOutcome::Result::NoReceipt);
    QPrinter printer(QPrinterInfo::printerInfo(printerName), QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("小票"));
    if (!paintReceipt(printer, lines, pictures, paper))
        return outcome(PrintOutcome::Result::Failed, QStringLiteral("打印机%1无法打印").arg(printerName));
    return outcome(PrintOutcome::Result::Printed);
}

PrintOutcome printReceiptToPdf(const QString& receiptFile, const QString& pdfPath, const ReceiptPictures& pictures,
                               int paper) {
    QStringList lines;
    if (!readReceiptLines(receiptFile, lines))
        return outcome(PrintOutcome::Result::NoReceipt);
    // Written beside the old file and renamed into place, so a reader never sees half a PDF.
    const QString partial = pdfPath + QStringLiteral(".part");
    QFile::remove(partial);
    bool painted = false;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(partial);
        printer.setDocName(QStringLiteral("小票"));
        painted = paintReceipt(printer, lines, pictures, paper);
    }
    if (!painted || !QFileInfo::exists(partial) ||
        std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(pdfPath).constData()) != 0) {
        QFile::remove(partial);
        return outcome(PrintOutcome::Result::Failed, QStringLiteral("无法写入文件%1").arg(pdfPath));
    }
    return outcome(PrintOutcome::Result::Printed);
}

ReceiptPrinter::ReceiptPrinter(const TillSettings& settings, QString folder)
    : settings_(settings), folder_(std::move(folder)),
      receiptFile_(receiptFilePath(folder_)), pictures_{settings.logo, settings.qrcode} {}

QString ReceiptPrinter::pdfFile() const {
    return QDir(folder_).filePath(QStringLiteral("output.pdf"));
}

PrintOutcome ReceiptPrinter::printSale() {
    if (settings_.dayin)
        return outcome(PrintOutcome::Result::PrintingOff);
    return printFile(receiptFile_);
}

PrintOutcome ReceiptPrinter::printFile(const QString& receiptFile) {
    const QString& name = settings_.printer;
    // Direct printing is no driver's printer: the receipt is not printed (the drawer still opens
    // through the port).
    if (name == directPrinterName())
        return outcome(PrintOutcome::Result::NoPrinter);
    if (name == pdfPrinterName() && !isPrinterInstalled(name))
        return printReceiptToPdf(receiptFile, pdfFile(), pictures_, settings_.paper);
    // No printer chosen: the system's default printer.
    const QString printer = name.isEmpty() ? QPrinterInfo::defaultPrinterName() : name;
    return PrintReceiptFile(printer, receiptFile, pictures_, settings_.paper);
}

PrintOutcome ReceiptPrinter::printLast(QString* notice) {
    if (!QFileInfo::exists(receiptFile_)) {
        if (notice)
            *notice = QStringLiteral("还没有上一单小票");
        return outcome(PrintOutcome::Result::NoReceipt);
    }
    const PrintOutcome result = settings_.dayin ? outcome(PrintOutcome::Result::PrintingOff) : printFile(receiptFile_);
    if (notice)
        *notice = result.result == PrintOutcome::Result::Failed ? result.message : QStringLiteral("已打印上一单小票");
    return result;
}

} // namespace shop::till
