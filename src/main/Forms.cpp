#include "main/Forms.h"

#include "main/UnVelKor.h"
#include "platform/Cp1252Q.h"

#include <QComboBox>

TFoVelkor* FoVelkor = nullptr;
TFoNomUte* FoNomUte = nullptr;
TFormRich* FormRich = nullptr;
TFgrNaVlk* FgrNaVlk = nullptr;
TFoMetGra* FoMetGra = nullptr;
TFoPrint* FoPrint = nullptr;
TFoOrbVlk* FoOrbVlk = nullptr;
TFoInputVlk* FoInputVlk = nullptr;
TFoCancel* FoCancel = nullptr;
TFoReMai1* FoReMai1 = nullptr;
TFgrTxtVlk* FgrTxtVlk = nullptr;
TFoSpeLin* FoSpeLin = nullptr;
TFoStampa* FoStampa = nullptr;
TFoTerapi* FoTerapi = nullptr;
TFoSintom2* FoSintom2 = nullptr;
TFoSintom3* FoSintom3 = nullptr;
TFoModifi* FoModifi = nullptr;
TFoManut1* FoManut1 = nullptr;
TFoMainArc* FoMainArc = nullptr;
TFoAggRep* FoAggRep = nullptr;
TFoAggiorna* FoAggiorna = nullptr;
TFoReMaiH* FoReMaiH = nullptr;
TFoSegnat* FoSegnat = nullptr;
TFoUtilit* FoUtilit = nullptr;
TFoPrinci* FoPrinci = nullptr;
TFoPiante* FoPiante = nullptr;
TFoMali* FoMali = nullptr;
TFoSintesi* FoSintesi = nullptr;
TFgrVelko* FgrVelko = nullptr;
TFoIstDef* FoIstDef = nullptr;

TFoSintom1* FoSintom1 = nullptr;
TFoRimed* FoRimed = nullptr;
TFoRicCom* FoRicCom = nullptr;
TFoTerCom* FoTerCom = nullptr;
TFoBakMod1* FoBakMod1 = nullptr;

namespace {
template <class Form>
void Create(Form*& global)
{
    global = new Form();
}

template <class Form>
void Destroy(Form*& global)
{
    delete global;
    global = nullptr;
}
} // namespace

void CreateForms()
{
    Create(FoVelkor);
    Create(FoNomUte);
    Create(FormRich);
    Create(FgrNaVlk);
    Create(FoMetGra);
    Create(FoPrint);
    Create(FoOrbVlk);
    FoOrbVlk->ShowOrbItem = [](const std::string& item) {
        if (FoVelkor)
            FoVelkor->ComboOrb->setEditText(ToQ(item));
    };
    Create(FoInputVlk);
    Create(FormRegVlk);
    Create(FoCancel);
    Create(FoReMai1);
    Create(FgrTxtVlk);
    Create(FoSpeLin);
    Create(FoStampa);
    Create(FoTerapi);
    Create(FoSintom2);
    Create(FoSintom3);
    Create(FoModifi);
    Create(FoManut1);
    Create(FoMainArc);
    Create(FoAggRep);
    Create(FoAggiorna);
    Create(FoReMaiH);
    Create(FoSegnat);
    Create(FoUtilit);
    Create(FoPrinci);
    Create(FoPiante);
    Create(FoMali);
    Create(FoSintesi);
    Create(FgrVelko);
    Create(FoIstDef);
}

void DestroyForms()
{
    Destroy(FoSintom1);
    Destroy(FoRimed);
    Destroy(FoRicCom);
    Destroy(FoTerCom);
    Destroy(FoBakMod1);
    Destroy(FoIstDef);
    Destroy(FgrVelko);
    Destroy(FoSintesi);
    Destroy(FoMali);
    Destroy(FoPiante);
    Destroy(FoPrinci);
    Destroy(FoUtilit);
    Destroy(FoSegnat);
    Destroy(FoReMaiH);
    Destroy(FoAggiorna);
    Destroy(FoAggRep);
    Destroy(FoMainArc);
    Destroy(FoManut1);
    Destroy(FoModifi);
    Destroy(FoSintom3);
    Destroy(FoSintom2);
    Destroy(FoTerapi);
    Destroy(FoStampa);
    Destroy(FoSpeLin);
    Destroy(FgrTxtVlk);
    Destroy(FoReMai1);
    Destroy(FoCancel);
    Destroy(FormRegVlk);
    Destroy(FoInputVlk);
    Destroy(FoOrbVlk);
    Destroy(FoPrint);
    Destroy(FoMetGra);
    Destroy(FgrNaVlk);
    Destroy(FormRich);
    Destroy(FoNomUte);
    Destroy(FoVelkor);
}
