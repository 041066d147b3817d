#include "ReportPrinter.h"

#include "ApplicationName.h"
#include "PrintingSurface.h"
#include "UserPrompts.h"
#include "WholeFile.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

ReportPrinter::ReportPrinter(UserPrompts &prompts)
    : m_prompts(prompts)
    , m_lookup(systemPrinter)
{ }

ReportPrinter::~ReportPrinter() = default;

std::unique_ptr<QPrinter> ReportPrinter::systemPrinter()
{
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
        if (printers.isEmpty())
            return nullptr;
        info = printers.constFirst();
    }
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

bool ReportPrinter::print(const QString &what, const QString &proposedPdf, const Job &job)
{
    const std::unique_ptr<QPrinter> printer = m_lookup ? m_lookup() : nullptr;
    if (!printer)
        return printToPdf(what, proposedPdf, job);
    printer->setDocName(ApplicationName::title() + u' ' + what);
    bool done = false;
    {
        PrintingSurface surface(*printer);
        done = job(surface);
    }
    if (done && printer->printerState() != QPrinter::Error)
        return true;
    const QString where = printer->outputFileName().isEmpty()
        ? QStringLiteral("on the printer \"%1\"").arg(printer->printerName())
        : QStringLiteral("into %1").arg(printer->outputFileName());
    m_prompts.message(QStringLiteral("The %1 could not be printed %2.\n\n"
                                     "Check that the printer is switched on and ready.")
                          .arg(what, where),
                      ApplicationName::title());
    return false;
}

bool ReportPrinter::printToPdf(const QString &what, const QString &proposedPdf, const Job &job)
{
    if (m_prompts.question(QStringLiteral("No printer is set up on this computer, so the %1 "
                                          "cannot be printed.\n\nSave it as a PDF file instead?")
                               .arg(what),
                           ApplicationName::title(), UserPrompts::Answer::Yes)
        != UserPrompts::Answer::Yes)
        return false;
    const QString path = m_prompts.saveFileNameWithExtension(
        proposedPdf, QStringLiteral("PDF files (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return false;

    // The pages are made in memory and written whole: a PDF chosen to be replaced is kept
    // when the new one cannot be written.
    QBuffer pages;
    pages.open(QIODevice::WriteOnly);
    bool done = false;
    {
        QPdfWriter writer(&pages);
        PrintingSurface::setUpPdf(writer, ApplicationName::title() + u' ' + what);
        PrintingSurface surface(writer);
        done = job(surface);
    }
    QString reason = QStringLiteral("the pages could not be drawn");
    if (done && WholeFile::write(path, pages.data(), reason))
        return true;
    m_prompts.message(
        QStringLiteral("The %1 could not be saved as %2: %3.").arg(what, path, reason),
        ApplicationName::title());
    return false;
}
