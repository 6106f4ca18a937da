#pragma once
// Shared by the window tests of the knowledge base: a fresh program folder
// and dialog script for every test, a primary database written with its
// reserved record 0, and clicks and reads on list boxes.
#include "kb/KbRecords.h"
#include "platform/Dialogs.h"
#include "support/TempFolder.h"

#include <QListWidget>
#include <QStringList>
#include <QtTest>

#include <memory>
#include <vector>

// Begin in the test class's init(), End in its cleanup().
struct KbWindowFixture {
    std::unique_ptr<TempFolder> dir;
    std::unique_ptr<Dialogs::Script> script;
    void Begin()
    {
        dir = std::make_unique<TempFolder>();
        script = std::make_unique<Dialogs::Script>();
    }
    void End()
    {
        script.reset();
        dir.reset();
    }
};

// The entries as records 1.., after the reserved record 0.
inline void WriteDb(std::vector<RemedyRecord> entries)
{
    entries.insert(entries.begin(), ReservedRemedy());
    WritePrimaryDatabase(entries);
}

// A mouse click on the list line that reads exactly `text`.
inline void ClickLine(QListWidget* list, const QString& text)
{
    const auto items = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(text));
    list->scrollToItem(items[0]);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
}

inline QStringList Items(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}
