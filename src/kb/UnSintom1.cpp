#include "kb/UnSintom1.h"

#include "platform/Application.h"
#include "platform/Dialogs.h"

#include <QLineEdit>
#include <QListWidget>

namespace {

const char* const kInfo =
    "Individuare il Disturbo (o Sintomo) nell'elenco di sinistra: scorrere l'elenco o digitarne le prime "
    "lettere nella casella di ricerca, poi fare clic sulla riga.\r\n"
    "Individuare il Disturbo (o Sintomo) fa comparire i Rimedi che lo trattano, 14 per pagina: i pulsanti "
    "\"Seguenti\" e \"Precedenti\" mostrano le altre pagine.\r\n"
    "Il pulsante numerato di ogni riga mostra a ogni pressione Avvertenze, Sintesi Psichica, Note e Note "
    "Supplementari del Rimedio.\r\n"
    "Un doppio clic sulle segnature ne elenca le parole; il segno \xA7 indica la segnatura primaria.\r\n"
    "Un doppio clic sulla Posologia o sul nome del Rimedio ne mostra il testo per intero, un clic lo richiude.";

} // namespace

TFoSintom1::TFoSintom1(QWidget* parent)
    : TFoConsulta("FoSintom1", "SINTOMI e Rimedi Correlati", true, "EdCerca", "EdDist", "EdD", kInfo, parent)
{
    EdDist = EdHeading;
}

void TFoSintom1::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Guarded([this] { FormActivate(); });
}

void TFoSintom1::FormActivate()
{
    state_.ClearSearchText();
    EdCerca->clear();
    FillList(SymptomConsultation::SymptomList());
    if (Items().empty())
        Dialogs::Warning("L'elenco dei Sintomi \xE8 vuoto: ricostruire gli archivi di appoggio con \"Ricostruisci "
                         "File\" del Database Primario.");
    EdCerca->setFocus();
}
