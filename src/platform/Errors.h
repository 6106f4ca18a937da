#pragma once
// Errors raised on the ordinary paths of the program. The event boundary of
// every window (and main() of the command-line tool) catches them and reports
// them in Italian; earlier state is left as it was.
#include <stdexcept>
#include <string>

// An input/output failure on a file: carries the program-relative file name
// and the operation that failed ("lettura", "scrittura", "apertura", ...).
class IoError : public std::runtime_error {
public:
    IoError(std::string file, std::string operation, std::string detail = {});
    const std::string& File() const { return file_; }
    const std::string& Operation() const { return operation_; }
    const std::string& Detail() const { return detail_; }

private:
    std::string file_;
    std::string operation_;
    std::string detail_;
};

// A text that had to be a number (or another typed value) and is not.
class ConversionError : public std::runtime_error {
public:
    ConversionError(std::string text, std::string what);
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

// An error whose message is already the Italian text for the user (for
// example a damaged archive); shown as it is.
class UserError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The Italian message shown to the user for an error caught at an event
// boundary (Windows-1252 text).
std::string ErrorMessageFor(const std::exception& e);
