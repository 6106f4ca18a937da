#pragma once
// The one place where the program's Windows-1252 texts become QStrings and
// back. Characters a QString holds beyond Windows-1252 become '?'.
#include <QString>
#include <string>
#include <string_view>

QString ToQ(std::string_view cp1252);
std::string FromQ(const QString& text);
