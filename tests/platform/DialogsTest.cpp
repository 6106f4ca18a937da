#include "platform/Dialogs.h"

#include <gtest/gtest.h>

namespace {

using Dialogs::Kind;

TEST(DialogsTest, ScriptRecordsEveryMessage)
{
    Dialogs::Script script;
    Dialogs::Information("Tema salvato.");
    Dialogs::Warning("Data già presente.", "Attenzione");
    Dialogs::Error("Errore di I/O");
    Dialogs::AskYesNo("Sovrascrivere?", "Conferma");

    const auto& m = script.Messages();
    ASSERT_EQ(m.size(), 4u);
    EXPECT_EQ(m[0].kind, Kind::Information);
    EXPECT_EQ(m[1].kind, Kind::Warning);
    EXPECT_EQ(m[1].caption, "Attenzione");
    EXPECT_EQ(m[2].kind, Kind::Error);
    EXPECT_EQ(m[3].kind, Kind::Question);
    EXPECT_EQ(m[3].caption, "Conferma");
    EXPECT_EQ(script.Texts(),
              (std::vector<std::string>{"Tema salvato.", "Data gi\xE0 presente.", "Errore di I/O", "Sovrascrivere?"}));

    script.Clear();
    EXPECT_TRUE(script.Messages().empty());
}

TEST(DialogsTest, QuestionsTakeTheQueuedAnswersThenNo)
{
    Dialogs::Script script;
    script.AnswerNext(true);
    script.AnswerNext(false);
    script.AnswerNext(true);
    EXPECT_TRUE(Dialogs::AskYesNo("1"));
    Dialogs::Information("messages do not use answers");
    EXPECT_FALSE(Dialogs::AskYesNo("2"));
    EXPECT_TRUE(Dialogs::AskYesNo("3"));
    EXPECT_FALSE(Dialogs::AskYesNo("4"));
    EXPECT_FALSE(Dialogs::AskYesNo("5"));
    EXPECT_EQ(script.Messages().size(), 6u);
}

TEST(DialogsTest, NestedScriptRestoresThePreviousBackend)
{
    Dialogs::Backend* const outsideAll = Dialogs::CurrentBackend();
    {
        Dialogs::Script outer;
        outer.AnswerNext(true);
        EXPECT_EQ(Dialogs::CurrentBackend(), &outer);
        {
            Dialogs::Script inner;
            EXPECT_EQ(Dialogs::CurrentBackend(), &inner);
            Dialogs::Warning("interno");
            EXPECT_FALSE(Dialogs::AskYesNo("interno?"));
            EXPECT_EQ(inner.Texts(), (std::vector<std::string>{"interno", "interno?"}));
        }
        EXPECT_EQ(Dialogs::CurrentBackend(), &outer);
        EXPECT_TRUE(outer.Messages().empty());
        EXPECT_TRUE(Dialogs::AskYesNo("esterno?"));
        EXPECT_EQ(outer.Texts(), (std::vector<std::string>{"esterno?"}));
    }
    EXPECT_EQ(Dialogs::CurrentBackend(), outsideAll);
}

TEST(DialogsTest, DefaultBackendAnswersNo)
{
    Dialogs::SetBackend(nullptr);
    EXPECT_FALSE(Dialogs::AskYesNo("Continuare?"));
}

} // namespace
