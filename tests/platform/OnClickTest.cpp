// A button wired with OnClick runs its form's handler, a member or a lambda,
// at the event boundary: an error thrown by the handler is reported in a
// message box and the next click works again.
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/OnClick.h"

#include <QDialog>
#include <QPushButton>
#include <QtTest>

namespace {
struct Form : QDialog {
    int clicks = 0;
    bool fail = false;
    void ButtonClick()
    {
        if (fail)
            throw IoError("FileSet\\MMVarLas.stt", "scrittura");
        ++clicks;
    }
};
} // namespace

class OnClickTest : public QObject {
    Q_OBJECT
private slots:
    void memberAndLambdaHandlersRunAtTheBoundary()
    {
        Dialogs::Script script;
        Form form;
        auto* member = new QPushButton(&form);
        auto* lambda = new QPushButton(&form);
        OnClick(member, &form, &Form::ButtonClick);
        OnClick(lambda, &form, [&form] { form.clicks += 10; });
        member->click();
        lambda->click();
        QCOMPARE(form.clicks, 11);
        QVERIFY(script.Messages().empty());

        form.fail = true;
        member->click();
        QCOMPARE(form.clicks, 11);
        QCOMPARE(script.Messages().size(), std::size_t(1));
        QVERIFY(script.Texts().front().find("MMVarLas.stt") != std::string::npos);

        form.fail = false;
        member->click();
        QCOMPARE(form.clicks, 12);
    }
};

int main(int argc, char** argv)
{
    QuillonApplication app(argc, argv);
    OnClickTest t;
    return QTest::qExec(&t, argc, argv);
}
#include "OnClickTest.moc"
