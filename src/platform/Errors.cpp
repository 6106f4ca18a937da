#include "platform/Errors.h"

namespace {
std::string IoMessage(const std::string& file, const std::string& op, const std::string& detail)
{
    std::string m = "Errore di I/O: " + op + " del file \"" + file + "\" non riuscita";
    if (!detail.empty())
        m += " (" + detail + ")";
    return m;
}
} // namespace

IoError::IoError(std::string file, std::string operation, std::string detail)
    : std::runtime_error(IoMessage(file, operation, detail)), file_(std::move(file)),
      operation_(std::move(operation)), detail_(std::move(detail))
{
}

ConversionError::ConversionError(std::string text, std::string what)
    : std::runtime_error("Errore di conversione: \"" + text + "\" " + what), text_(std::move(text))
{
}

std::string ErrorMessageFor(const std::exception& e)
{
    if (dynamic_cast<const IoError*>(&e) || dynamic_cast<const ConversionError*>(&e) ||
        dynamic_cast<const UserError*>(&e))
        return e.what();
    return std::string("Errore imprevisto: ") + e.what();
}
