#include "kb/UnRimed.h"

#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

const char* const kInfo =
    "Individuare il Rimedio nell'elenco di sinistra: scorrere l'elenco o digitarne le prime lettere nella "
    "casella di ricerca, poi fare clic sulla riga. Le piante compaiono anche per nome, seguito dal tipo di "
    "preparazione tra parentesi.\r\n"
    "Compaiono tutti i Sintomi trattati dal Rimedio, 14 per pagina, con le segnature; il pulsante numerato di "
    "ogni riga mostra a ogni pressione Posologia, Sintesi Psichica, Note e Note Supplementari.\r\n"
    "Un doppio clic sul Sintomo o sul nome del Rimedio di una riga ne mostra il testo per intero, un doppio "
    "clic sulle Avvertenze le mostra ingrandite; un clic li richiude.";

} // namespace

TFoRimed::TFoRimed(QWidget* parent)
    : TFoConsulta("FoRimed", "RIMEDI e Sintomi correlati", true, "EdCerca", "EdRime", "EdD", kInfo, parent)
{
    EdRime = EdHeading;
    LabSpeci = new QLabel(this);
    LabSpeci->setObjectName(QStringLiteral("LabSpeci"));
    EdAvve = new QLineEdit(this);
    EdAvve->setObjectName(QStringLiteral("EdAvve"));
    EdAvve->setReadOnly(true);
    EdAvve->installEventFilter(this);
    MemoPare = new QPlainTextEdit(this);
    MemoPare->setObjectName(QStringLiteral("MemoPare"));
    MemoPare->setReadOnly(true);
    MemoPare->setPlainText(ToQ(kUseNumberNote));
    MemoPare->setMaximumHeight(50);
    MemoPare->hide();
    MemoAvveLarge = new QPlainTextEdit(this);
    MemoAvveLarge->setObjectName(QStringLiteral("MemoAvveLarge"));
    MemoAvveLarge->setReadOnly(true);
    MemoAvveLarge->setGeometry(280, 60, 520, 200);
    MemoAvveLarge->hide();
    MemoAvveLarge->viewport()->installEventFilter(this);
    Extras->addWidget(LabSpeci);
    Extras->addWidget(new QLabel(ToQ("Avvertenze"), this));
    Extras->addWidget(EdAvve);
    Extras->addWidget(MemoPare);
}

void TFoRimed::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Guarded([this] { FormActivate(); });
}

void TFoRimed::FormActivate()
{
    state_.ClearSearchText();
    EdCerca->clear();
    FillList(RemedyConsultation::RemedyList());
    if (Items().empty())
        Dialogs::Warning("L'elenco dei Rimedi \xE8 vuoto: ricostruire gli archivi di appoggio con \"Ricostruisci "
                         "File\" del Database Primario.");
    EdCerca->setFocus();
}

void TFoRimed::Render()
{
    TFoConsulta::Render();
    EdAvve->setText(ToQ(state_.Warnings()));
    EdAvve->setCursorPosition(0);
    LabSpeci->setText(ToQ(state_.Caption()));
    MemoPare->setVisible(state_.UseNumberNote());
}

void TFoRimed::EdAvveDblClick()
{
    MemoAvveLarge->setPlainText(EdAvve->text());
    MemoAvveLarge->show();
    MemoAvveLarge->raise();
}

bool TFoRimed::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == EdAvve && event->type() == QEvent::MouseButtonDblClick) {
        EdAvveDblClick();
        return true;
    }
    if (watched == MemoAvveLarge->viewport() && event->type() == QEvent::MouseButtonPress) {
        MemoAvveLarge->hide();
        return true;
    }
    return TFoConsulta::eventFilter(watched, event);
}

void TFoRimed::HideZoom()
{
    MemoAvveLarge->hide();
}
