#pragma once
// The program's windows: one global instance of each form class, created at
// start in a fixed order and living until exit. TFoSintom1, TFoRimed,
// TFoRicCom, TFoTerCom and TFoBakMod1 are created anew each time they are
// opened; the new instance replaces the previous one as the global.
//
// The registration window FormRegVlk belongs to the set too (created here
// in its place of the order) but is declared by archive/UnRegVlk.h: the
// input window, below this floor, shows it.
#include "archive/UnBakMod1.h"
#include "archive/UnCancel.h"
#include "archive/UnModifi.h"
#include "archive/UnRegVlk.h"
#include "archive/UninputVlk.h"
#include "archive/UnitRich.h"
#include "astro/UnOrbVlk.h"
#include "chart/UgrVelko.h"
#include "kb/UnMali.h"
#include "kb/UnPiante.h"
#include "kb/UnPrinci.h"
#include "kb/UnRicCom.h"
#include "kb/UnRimed.h"
#include "kb/UnSegnat.h"
#include "kb/UnSintesi.h"
#include "kb/UnSintom1.h"
#include "kb/UnSintom2.h"
#include "kb/UnSintom3.h"
#include "kb/UnTerCom.h"
#include "kb/UnTerapi.h"
#include "main/PendingForms.h"

class TFoVelkor;

extern TFoVelkor* FoVelkor;
extern TFoNomUte* FoNomUte;
extern TFormRich* FormRich;
extern TFgrNaVlk* FgrNaVlk;
extern TFoMetGra* FoMetGra;
extern TFoPrint* FoPrint;
extern TFoOrbVlk* FoOrbVlk;
extern TFoInputVlk* FoInputVlk;
extern TFoCancel* FoCancel;
extern TFoReMai1* FoReMai1;
extern TFgrTxtVlk* FgrTxtVlk;
extern TFoSpeLin* FoSpeLin;
extern TFoStampa* FoStampa;
extern TFoTerapi* FoTerapi;
extern TFoSintom2* FoSintom2;
extern TFoSintom3* FoSintom3;
extern TFoModifi* FoModifi;
extern TFoManut1* FoManut1;
extern TFoMainArc* FoMainArc;
extern TFoAggRep* FoAggRep;
extern TFoAggiorna* FoAggiorna;
extern TFoReMaiH* FoReMaiH;
extern TFoSegnat* FoSegnat;
extern TFoUtilit* FoUtilit;
extern TFoPrinci* FoPrinci;
extern TFoPiante* FoPiante;
extern TFoMali* FoMali;
extern TFoSintesi* FoSintesi;
extern TFgrVelko* FgrVelko;
extern TFoIstDef* FoIstDef;

extern TFoSintom1* FoSintom1;
extern TFoRimed* FoRimed;
extern TFoRicCom* FoRicCom;
extern TFoTerCom* FoTerCom;
extern TFoBakMod1* FoBakMod1;

// Creates every form in the start-up order; the main window first.
void CreateForms();
// Destroys them (at exit, and between window tests).
void DestroyForms();

// Creates a new instance of a form opened anew, replacing the previous one.
template <class Form>
Form* Renew(Form*& global)
{
    delete global;
    global = new Form();
    return global;
}
