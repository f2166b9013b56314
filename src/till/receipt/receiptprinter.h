// Printing receipt files: through the printer driver (CUPS) or into a PDF file.
#pragma once

#include "till/receipt/receiptpage.h"
#include "till/tillsettings.h"

#include <QString>

namespace shop::till {

struct PrintOutcome {
    enum class Result {
        Printed,     // the job went to the printer or the PDF file was written
        PrintingOff, // `dayin`: nothing printed
        NoPrinter,   // the printer is not installed: nothing printed, nothing said
        NoReceipt,   // the receipt file is missing
        Failed,      // the printer, file or port refused; `message` says why
    };
    Result result = Result::NoPrinter;
    QString message;

    bool printed() const { return result == Result::Printed; }
};

// The printer name that selects printing straight to the parallel port.
QString directPrinterName();
// The printer name that writes each receipt into "output.pdf" in the shop folder, for a shop
// without a receipt printer.
QString pdfPrinterName();
// The device of the parallel port of the `print` setting: 0 "LPT1" = /dev/lp0, 1 = /dev/lp1, …
QString parallelPortDevice(int print);

// Whether `name` is a printer installed on this machine.
bool isPrinterInstalled(const QString& name);

// Prints a receipt file through the driver of the installed printer `printerName`; nothing when
// no such printer is installed.
PrintOutcome PrintReceiptFile(const QString& printerName, const QString& receiptFile, const ReceiptPictures& pictures,
                              int paper);
// Prints a receipt file into the PDF file `pdfPath` (replaced whole).
PrintOutcome printReceiptToPdf(const QString& receiptFile, const QString& pdfPath, const ReceiptPictures& pictures,
                               int paper);
// The till's receipt printing by its settings.
class ReceiptPrinter {
public:
    // `folder` is the shop folder: "output.txt" and "output.pdf" live there.
    ReceiptPrinter(const TillSettings& settings, QString folder);

    // The receipt of the sale just settled ("output.txt"); nothing while printing is off.
    PrintOutcome printSale();
    // Prints `receiptFile` on the chosen printer, whatever `dayin` says.
    PrintOutcome printFile(const QString& receiptFile);
    // "打印上一单": prints the last receipt again when printing is on. `notice` gets what the
    // cashier is told.
    PrintOutcome printLast(QString* notice);

    // The member's QR code replaces the QR picture for the rest of the run.
    void setQrPicture(const QString& path) { pictures_.qrcode = path; }

    const QString& receiptFile() const { return receiptFile_; }
    QString pdfFile() const;

private:
    TillSettings settings_;
    QString folder_;
    QString receiptFile_;
    ReceiptPictures pictures_;
};

} // namespace shop::till
