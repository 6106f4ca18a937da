#pragma once
// Message boxes and confirmations.
//
// The logic calls these functions; the windowed program installs a backend
// that shows modal message boxes, the command-line tool one that writes to
// the error stream, and tests a Script that records every message and gives
// the scripted answers, so that no test ever waits on a modal window.
// Texts are Windows-1252.
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace Dialogs {

enum class Kind { Information, Warning, Error, Question };

struct Message {
    Kind kind;
    std::string text;
    std::string caption;
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual void Show(const Message& m) = 0;
    // Yes/No question: true for "Sì".
    virtual bool Ask(const Message& m) = 0;
};

void Information(std::string_view text, std::string_view caption = {});
void Warning(std::string_view text, std::string_view caption = {});
void Error(std::string_view text, std::string_view caption = {});
bool AskYesNo(std::string_view text, std::string_view caption = {});

// Installs a backend (not owned); nullptr restores the default, which writes
// to the error stream and answers No.
void SetBackend(Backend* backend);
Backend* CurrentBackend();

// Test script: while it lives it records every message and answers the
// questions with the queued answers (No once they run out).
class Script : public Backend {
public:
    Script();
    ~Script() override;
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    void AnswerNext(bool yes) { answers_.push_back(yes); }
    const std::vector<Message>& Messages() const { return messages_; }
    std::vector<std::string> Texts() const;
    void Clear() { messages_.clear(); }

    void Show(const Message& m) override;
    bool Ask(const Message& m) override;

private:
    Backend* previous_;
    std::vector<Message> messages_;
    std::deque<bool> answers_;
};

} // namespace Dialogs
