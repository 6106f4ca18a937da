#include "kb/UnTerapi.h"

#include "platform/Application.h"
#include "platform/Cp1252Q.h"

#include <QLineEdit>

namespace {

const char* const kInfo =
    "Individuare la Patologia nell'elenco di sinistra: scorrere l'elenco o digitarne le prime lettere nella "
    "casella di ricerca, poi fare clic sulla riga.\r\n"
    "Compaiono i Rimedi prescritti per la Patologia con la Posologia specifica, 14 per pagina; un doppio clic "
    "sulla Posologia o sul nome del Rimedio ne mostra il testo per intero, un clic lo richiude.\r\n"
    "Il pulsante numerato di ogni riga mostra alla prima pressione la Nota sulla combinazione "
    "Patologia-Rimedio, alla seconda le Avvertenze del Rimedio.";

} // namespace

TFoTerapi::TFoTerapi(QWidget* parent)
    : TFoConsulta("FoTerapi", "TERAPIE", false, "EditCerca", "EdPato", "EdD", kInfo, parent)
{
    EditCerca = EdCerca;
    EdPato = EdHeading;
}

void TFoTerapi::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Guarded([this] { FormActivate(); });
}

void TFoTerapi::FormActivate()
{
    FillList(TherapyConsultation::PathologyList());
    EditCerca->setFocus();
}
