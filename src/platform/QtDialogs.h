#pragma once
// Message boxes of the windowed program (the Dialogs backend).
#include "platform/Dialogs.h"

class QtDialogsBackend : public Dialogs::Backend {
public:
    void Show(const Dialogs::Message& m) override;
    bool Ask(const Dialogs::Message& m) override;
};
