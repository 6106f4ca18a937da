#include "platform/Dialogs.h"

#include "platform/Cp1252.h"

#include <cstdio>

namespace Dialogs {
namespace {

class StreamBackend : public Backend {
public:
    void Show(const Message& m) override
    {
        const char* label = m.kind == Kind::Error ? "Errore" : m.kind == Kind::Warning ? "Attenzione" : "Informazione";
        std::fprintf(stderr, "%s: %s\n", label, Cp1252::ToUtf8(m.text).c_str());
    }
    bool Ask(const Message& m) override
    {
        std::fprintf(stderr, "%s (risposta: No)\n", Cp1252::ToUtf8(m.text).c_str());
        return false;
    }
};

StreamBackend& DefaultBackend()
{
    static StreamBackend b;
    return b;
}

Backend* g_backend = nullptr;

} // namespace

void SetBackend(Backend* backend)
{
    g_backend = backend;
}

Backend* CurrentBackend()
{
    return g_backend ? g_backend : &DefaultBackend();
}

void Information(std::string_view text, std::string_view caption)
{
    CurrentBackend()->Show({Kind::Information, std::string(text), std::string(caption)});
}

void Warning(std::string_view text, std::string_view caption)
{
    CurrentBackend()->Show({Kind::Warning, std::string(text), std::string(caption)});
}

void Error(std::string_view text, std::string_view caption)
{
    CurrentBackend()->Show({Kind::Error, std::string(text), std::string(caption)});
}

bool AskYesNo(std::string_view text, std::string_view caption)
{
    return CurrentBackend()->Ask({Kind::Question, std::string(text), std::string(caption)});
}

Script::Script() : previous_(g_backend)
{
    g_backend = this;
}

Script::~Script()
{
    g_backend = previous_;
}

std::vector<std::string> Script::Texts() const
{
    std::vector<std::string> t;
    for (const auto& m : messages_)
        t.push_back(m.text);
    return t;
}

void Script::Show(const Message& m)
{
    messages_.push_back(m);
}

bool Script::Ask(const Message& m)
{
    messages_.push_back(m);
    if (answers_.empty())
        return false;
    const bool a = answers_.front();
    answers_.pop_front();
    return a;
}

} // namespace Dialogs
