#include "kb/UnSintom2.h"

#include "kb/KbRebuild.h"
#include "kb/PlantsBySignature.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"

#include <QHBoxLayout>
#include <QPushButton>

TFoSintom2::TFoSintom2(QWidget* parent)
    : TPlantTableForm("FoSintom2", "Piante per Segno", "Segno", PlantSignWords(), true, parent)
{
    BBCrea = new QPushButton(ToQ("Crea Database"), this);
    BBCrea->setObjectName(QStringLiteral("BBCrea"));
    BBCrea->setAutoDefault(false);
    bottomRow_->insertWidget(0, BBCrea);
    connect(BBCrea, &QPushButton::clicked, this, [this] { Guarded([this] { BBCreaClick(); }); });
}

void TFoSintom2::BBCreaClick()
{
    if (!Dialogs::AskYesNo("Ricreare la tabella delle piante (OpzioneS\\DataStf.rnd) e l'elenco dei sintomi "
                           "dal testo OpzioneS\\DbTesto.Txt ?",
                           "Crea Database"))
        return;
    BuildPlantTables();
    const std::size_t count = ReadPlantEntries().size();
    FillPlants();
    Dialogs::Information("Tabella delle piante ricreata: " + std::to_string(count) + " voci.", "Crea Database");
}
