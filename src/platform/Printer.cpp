#include "platform/Printer.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

PrinterProbe ProbeDefaultPrinter()
{
    PrinterProbe probe;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull() || info.printerName().isEmpty())
        return probe;
    QPrinter printer(info, QPrinter::HighResolution);
    if (!printer.isValid())
        return probe;
    probe.found = true;
    probe.pageWidth = printer.pageLayout().paintRectPixels(printer.resolution()).width();
    return probe;
}
