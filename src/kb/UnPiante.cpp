#include "kb/UnPiante.h"

#include "kb/KbRecords.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "shell/UnControlli.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const char* const kHelpNote =
    "Scrivere nel riquadro azzurro il nome della pianta o del principio attivo da cercare, poi premere [Cerca]: "
    "la seconda lista riporta i rimedi che lo contengono. Selezionando un rimedio nella prima lista se ne legge "
    "la composizione.";
}

TFoPiante::TFoPiante(QWidget* parent)
    : TRemedyTextForm("FoPiante", RemedyTextKind::Notes,
                      {"PIANTE e PRINCIPI ATTIVI", "Composizione del Rimedio ", "Composizione del Rimedio",
                       "Composizione di ", "Elenco Rimedi\ndisponibili", "Elenco Rimedi\ncontenenti il Principio cercato",
                       "Principio da cercare"},
                      parent)
{
    SetEditColours(EditCerca, kColourAqua, kColourBlack);
    auto* source = new QLabel(ToQ("(voce \"Note\" del database primario)"), this);
    paneColumn_->insertWidget(1, source);
    Panel1 = new QLabel(ToQ("Aiuto: come cercare una pianta o un principio attivo"), this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setCursor(Qt::PointingHandCursor);
    Panel1->installEventFilter(this);
    listColumn_->addWidget(Panel1);
}

bool TFoPiante::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Panel1 && event->type() == QEvent::MouseButtonPress) {
        Guarded([this] { Panel1Click(); });
        return true;
    }
    return TRemedyTextForm::eventFilter(watched, event);
}

void TFoPiante::Panel1Click()
{
    Dialogs::Information(kHelpNote, "PIANTE e PRINCIPI ATTIVI");
}

std::string TFoPiante::ShownText(const RemedyRecord& r) const
{
    return r.Notes;
}
