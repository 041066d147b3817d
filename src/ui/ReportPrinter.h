#pragma once

#include <QString>

#include <functional>
#include <memory>

class PrintingSurface;
class QPrinter;
class UserPrompts;

// Where a printed report goes: the default printer, without a dialog; on a computer
// without a printer, a PDF file the user names. A job that fails is told in one message.
class ReportPrinter
{
public:
    // The printer to use, or null when none is installed.
    using PrinterLookup = std::function<std::unique_ptr<QPrinter>()>;
    // Prints the pages and ends the document; false when the device failed.
    using Job = std::function<bool(PrintingSurface &)>;

    explicit ReportPrinter(UserPrompts &prompts);
    ~ReportPrinter();

    void setPrinterLookup(PrinterLookup lookup) { m_lookup = std::move(lookup); }

    // Prints `job`. `what` names the report in messages ("graph", "table"); without a
    // printer the save dialog proposes `proposedPdf` (a folder and a file name). False
    // when nothing was printed or saved.
    bool print(const QString &what, const QString &proposedPdf, const Job &job);

    // The system's default printer (the first one when none is the default), or null.
    static std::unique_ptr<QPrinter> systemPrinter();

private:
    bool printToPdf(const QString &what, const QString &proposedPdf, const Job &job);

    UserPrompts &m_prompts;
    PrinterLookup m_lookup;
};
