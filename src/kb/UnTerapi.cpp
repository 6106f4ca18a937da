#include "kb/UnTerapi.h"

#include "platform/Application.h"
#include "platform/Cp1252Q.h"

#include <QEvent>
#include <algorithm>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

const char* const kInfo =
    "Individuare la Patologia nell'elenco di sinistra: scorrere l'elenco o digitarne le prime lettere nella "
    "casella di ricerca, poi fare clic sulla riga.\r\n"
    "Compaiono i Rimedi prescritti per la Patologia con la Posologia specifica, 14 per pagina; un doppio clic "
    "sulla Posologia la mostra ingrandita.\r\n"
    "Il pulsante numerato di ogni riga mostra alla prima pressione la Nota sulla combinazione "
    "Patologia-Rimedio, alla seconda le Avvertenze del Rimedio.";

} // namespace

TFoTerapi::TFoTerapi(QWidget* parent)
    : TFoConsulta("FoTerapi", "TERAPIE", false, "EditCerca", "EdPato", "EdD", kInfo, parent)
{
    EditCerca = EdCerca;
    EdPato = EdHeading;
    MemoZoom = new QPlainTextEdit(this);
    MemoZoom->setObjectName(QStringLiteral("MemoZoom"));
    MemoZoom->setReadOnly(true);
    MemoZoom->hide();
    MemoZoom->viewport()->installEventFilter(this);
}

void TFoTerapi::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Guarded([this] { FormActivate(); });
}

void TFoTerapi::FormActivate()
{
    FillList(TherapyConsultation::PathologyList());
}

void TFoTerapi::BitBtn2Click()
{
    MemoZoom->hide();
    TFoConsulta::BitBtn2Click();
}

void TFoTerapi::FourthDblClick(int k)
{
    QLineEdit* box = EdD.at(static_cast<std::size_t>(k - 1));
    MemoInfo->hide();
    const QPoint at = box->mapTo(this, QPoint(0, 0));
    MemoZoom->setGeometry(at.x(), at.y(), std::max(box->width(), 400), 120);
    MemoZoom->setPlainText(box->text());
    MemoZoom->show();
    MemoZoom->raise();
}

bool TFoTerapi::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == MemoZoom->viewport() && event->type() == QEvent::MouseButtonPress) {
        MemoZoom->hide();
        return true;
    }
    return TFoConsulta::eventFilter(watched, event);
}

void TFoTerapi::HideZoom()
{
    MemoZoom->hide();
}
