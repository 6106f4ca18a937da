#include "main/UnVelKor.h"

#include "archive/CurrentSubject.h"
#include "astro/Chart.h"
#include "chart/AnalysisPages.h"
#include "main/Forms.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Jpeg.h"
#include "platform/ProgramPath.h"
#include "platform/Screen.h"
#include "platform/Shell.h"
#include "platform/TextFile.h"
#include "shell/OrbSettings.h"
#include "shell/Settings.h"
#include "shell/SharedState.h"
#include "shell/UnControlli.h"
#include "shell/UnServizi.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The items of the orb selector, in the order of the sets.
const std::string kOrbItems[3] = {OrbSetItem("A"), OrbSetItem("B"), OrbSetItem("C")};

QPushButton* Button(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(ToQ(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QPixmap ResourcePixmap(const char* name)
{
    return QPixmap(QStringLiteral(":/quillon/") + QString::fromLatin1(name));
}

QString OrbItemFor(const std::string& letter)
{
    return ToQ(OrbSetItem(letter));
}

} // namespace

TFoVelkor::TFoVelkor(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FoVelkor"));
    setWindowTitle(ToQ("Orvessa® ITA Basic - QUILLON"));
    idleTimer_ = new QTimer(this);
    idleTimer_->setSingleShot(true);
    idleTimer_->setInterval(0);
    connect(idleTimer_, &QTimer::timeout, this, [this] { Guarded([this] { MyIdleHandler(); }); });
    BuildControls();
    ConnectHandlers();
    SetMainWindow(this);
}

void TFoVelkor::BuildControls()
{
    auto* root = new QVBoxLayout(this);

    // Subject panel: emblem, summary and annotations.
    auto* top = new QGridLayout();
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    QFile emblem(QStringLiteral(":/quillon/emblem.jpg"));
    if (emblem.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = emblem.readAll();
        Image1->setPixmap(QPixmap::fromImage(DecodeJpeg(std::string_view(bytes.constData(), bytes.size()))));
    }
    top->addWidget(Image1, 0, 0, 2, 1);

    MemoDati = new QPlainTextEdit(this);
    MemoDati->setObjectName(QStringLiteral("MemoDati"));
    MemoDati->setReadOnly(true);
    MemoDati->setMinimumWidth(420);
    MemoDati->setFixedHeight(MemoDati->fontMetrics().lineSpacing() * 7 + 12);
    MemoDati->setToolTip(ToQ("Un clic mostra le annotazioni"));
    MemoAnnotaz = new QPlainTextEdit(this);
    MemoAnnotaz->setObjectName(QStringLiteral("MemoAnnotaz"));
    MemoAnnotaz->setReadOnly(true);
    MemoAnnotaz->setFixedHeight(MemoDati->height());
    MemoAnnotaz->setVisible(false);
    top->addWidget(MemoDati, 0, 1);
    top->addWidget(MemoAnnotaz, 0, 1);

    // Selectors and small controls.
    auto* selectors = new QHBoxLayout();
    selectors->addWidget(new QLabel(ToQ("Nodo Lunare"), this));
    ComboNodo = new QComboBox(this);
    ComboNodo->setObjectName(QStringLiteral("ComboNodo"));
    ComboNodo->setEditable(true);
    ComboNodo->addItems({QStringLiteral("VERO"), QStringLiteral("MEDIO")});
    ComboNodo->setEnabled(false);
    selectors->addWidget(ComboNodo);
    selectors->addWidget(new QLabel(ToQ("Orbite"), this));
    ComboOrb = new QComboBox(this);
    ComboOrb->setObjectName(QStringLiteral("ComboOrb"));
    ComboOrb->setEditable(true);
    for (const std::string& item : kOrbItems)
        ComboOrb->addItem(ToQ(item));
    ComboOrb->setEnabled(false);
    selectors->addWidget(ComboOrb);
    BBlk = Button(this, "BBlk", "");
    BBlk->setToolTip(ToQ("Sblocca/Blocca"));
    BBlk->setIcon(ResourcePixmap("LockShut.bmp"));
    BBlk->setFixedWidth(36);
    selectors->addWidget(BBlk);
    selectors->addStretch();
    BBApriTesto = Button(this, "BBApriTesto", "Apri Testo");
    BBApriTesto->setVisible(false);
    selectors->addWidget(BBApriTesto);
    auto* rightColumn = new QVBoxLayout();
    rightColumn->addLayout(selectors);

    auto* services = new QHBoxLayout();
    BitBtnNomeCognome = Button(this, "BitBtnNomeCognome", "Nome Cognome");
    BitBtnNomeCognome->setToolTip(ToQ("Cambia Personalizzazione"));
    services->addWidget(BitBtnNomeCognome);
    SBtipoStamp = new QToolButton(this);
    SBtipoStamp->setObjectName(QStringLiteral("SBtipoStamp"));
    SBtipoStamp->setText(QStringLiteral("..."));
    LabTipo = new QLabel(ToQ("Tipo"), this);
    LabTipo->setObjectName(QStringLiteral("LabTipo"));
    LabStampante = new QLabel(ToQ("Stampante"), this);
    LabStampante->setObjectName(QStringLiteral("LabStampante"));
    auto* printerLabels = new QVBoxLayout();
    printerLabels->addWidget(LabTipo);
    printerLabels->addWidget(LabStampante);
    services->addWidget(SBtipoStamp);
    services->addLayout(printerLabels);
    EdAggiorna = Button(this, "EdAggiorna", "Aggiornam.");
    services->addWidget(EdAggiorna);
    BBistruz = Button(this, "BBistruz", "Istruzioni.pdf");
    services->addWidget(BBistruz);
    BBdispensa = Button(this, "BBdispensa", "Dispensa.pdf");
    services->addWidget(BBdispensa);
    services->addStretch();
    rightColumn->addLayout(services);

    auto* admin = new QHBoxLayout();
    SBpass = new QToolButton(this);
    SBpass->setObjectName(QStringLiteral("SBpass"));
    SBpass->setFixedWidth(10);
    // What the administrator code does, where the user types it.
    SBpass->setToolTip(ToQ("Codice amministratore: rivela i comandi di modifica del Database Primario e del "
                           "Repertorio Terapie e l'Utility Ricerca; nella pagina \"Consultazione Rimedi\" mostra "
                           "anche \"Sintomi Multipli\" e \"Terapie Composite\" e abilita \"Debilit\xE0 "
                           "Astrologiche / T\". Un clic sulla casella del codice nasconde di nuovo i comandi di "
                           "modifica e i due pulsanti, e disabilita di nuovo il terzo."));
    admin->addWidget(SBpass);
    EdPass = new QLineEdit(this);
    EdPass->setObjectName(QStringLiteral("EdPass"));
    EdPass->setFixedWidth(120);
    EdPass->setVisible(false);
    admin->addWidget(EdPass);
    Cbox1 = new QComboBox(this);
    Cbox1->setObjectName(QStringLiteral("Cbox1"));
    Cbox1->setVisible(false);
    admin->addWidget(Cbox1);
    admin->addStretch();
    Image9 = new QLabel(this);
    Image9->setObjectName(QStringLiteral("Image9"));
    Image9->setToolTip(ToQ("Chiudi il Programma"));
    Image9->setPixmap(ResourcePixmap("FineProg.bmp"));
    Image9->setCursor(Qt::PointingHandCursor);
    admin->addWidget(Image9);
    rightColumn->addLayout(admin);
    top->addLayout(rightColumn, 1, 1);
    root->addLayout(top);

    // Tab pages.
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));

    auto* astro = new QWidget(PageControl1);
    auto* astroGrid = new QGridLayout(astro);
    BitBtnDati = Button(astro, "BitBtnDati", "Richiamo Nuovo Soggetto");
    BitBtnInputA = Button(astro, "BitBtnInputA", "Inserim Dati Nascita");
    BitBtnCancel = Button(astro, "BitBtnCancel", "Eliminaz Dati Nascita");
    BitBtn1 = Button(astro, "BitBtn1", "Modifica Dati Nascita / Crea Testo");
    BBProped = Button(astro, "BBProped", "Modello Propedeutico Interattivo");
    astroGrid->addWidget(BitBtnDati, 0, 0);
    astroGrid->addWidget(BitBtnInputA, 1, 0);
    astroGrid->addWidget(BitBtnCancel, 2, 0);
    astroGrid->addWidget(BitBtn1, 3, 0);
    astroGrid->addWidget(BBProped, 0, 1);
    auto* grafici = new QGroupBox(ToQ("Grafici Riassuntivi Stampabili"), astro);
    grafici->setObjectName(QStringLiteral("PanelGrafici"));
    PanelGrafici = grafici;
    auto* graficiGrid = new QGridLayout(grafici);
    BBOriz = Button(grafici, "BBOriz", "Orizzontale 1 ");
    BBoriz2 = Button(grafici, "BBoriz2", "Orizzontale 2");
    BBVert = Button(grafici, "BBVert", "Verticale 1");
    BBvert2 = Button(grafici, "BBvert2", "Verticale 2");
    BBoriz2->setEnabled(false);
    BBvert2->setEnabled(false);
    graficiGrid->addWidget(BBOriz, 0, 0);
    graficiGrid->addWidget(BBoriz2, 0, 1);
    graficiGrid->addWidget(BBVert, 1, 0);
    graficiGrid->addWidget(BBvert2, 1, 1);
    astroGrid->addWidget(grafici, 1, 1, 3, 1);
    PageControl1->addTab(astro, ToQ("Funzioni  Astrologiche"));

    auto* kb = new QWidget(PageControl1);
    auto* kbGrid = new QGridLayout(kb);
    BBSintomi = Button(kb, "BBSintomi", "Sintomi");
    BitBtn2 = Button(kb, "BitBtn2", "Rimedi");
    BitBtn3 = Button(kb, "BitBtn3", "Terapie");
    Btovr1 = Button(kb, "Btovr1", "Tovrin-1");
    Btovr2 = Button(kb, "Btovr2", "Tovrin-2");
    Button1 = Button(kb, "Button1", "Manutenzione");
    BitBtn4 = Button(kb, "BitBtn4", "Database Primario");
    BBaggRep = Button(kb, "BBaggRep", "Repertorio Terapie");
    BitBtn5 = Button(kb, "BitBtn5", "Segnature Astrologiche / S");
    BitBtn7 = Button(kb, "BitBtn7", "Piante e Principi Attivi");
    BitBtn8 = Button(kb, "BitBtn8", "");
    BitBtn6 = Button(kb, "BitBtn6", "Debilità Astrologiche / T");
    BitBtn9 = Button(kb, "BitBtn9", "Sintesi Psichica");
    BBriceCompo = Button(kb, "BBriceCompo", "Sintomi Multipli");
    BitBtn10 = Button(kb, "BitBtn10", "Terapie Composite");
    Btovr1->setVisible(false);
    Btovr2->setVisible(false);
    Button1->setVisible(false);
    BitBtn8->setVisible(false);
    BitBtn6->setEnabled(false);
    BBriceCompo->setVisible(false);
    BitBtn10->setVisible(false);
    QPushButton* kbButtons[] = {BBSintomi, BitBtn2, BitBtn3, BitBtn5, BitBtn7, BitBtn9, BitBtn6, BitBtn4,
                                BBaggRep, Btovr1, Btovr2, BBriceCompo, BitBtn10, Button1, BitBtn8};
    int k = 0;
    for (QPushButton* b : kbButtons) {
        kbGrid->addWidget(b, k % 5, k / 5);
        ++k;
    }
    PageControl1->addTab(kb, ToQ("Consultazione Rimedi"));

    auto* acc = new QWidget(PageControl1);
    auto* accGrid = new QVBoxLayout(acc);
    BitBtnVarOrbAsp = Button(acc, "BitBtnVarOrbAsp", "Variaz Orbite Aspetti");
    BBCerchio = Button(acc, "BBCerchio", "Rotondità Cerchi e Ridimensionamento Schermo");
    BitBtn22 = Button(acc, "BitBtn22", "Spessore Linee");
    BButility = Button(acc, "BButility", "Utility Ricerca");
    BButility->setVisible(false);
    BBSalva = Button(acc, "BBSalva", "Backup/Ripristino  Dati di Nascita e Testi ");
    for (QPushButton* b : {BitBtnVarOrbAsp, BBCerchio, BitBtn22, BButility, BBSalva})
        accGrid->addWidget(b);
    accGrid->addStretch();
    PageControl1->addTab(acc, ToQ("Funzioni Accessorie"));
    root->addWidget(PageControl1);

    MemoDati->viewport()->installEventFilter(this);
    MemoAnnotaz->viewport()->installEventFilter(this);
    ComboNodo->lineEdit()->installEventFilter(this);
    EdPass->installEventFilter(this);
    Cbox1->installEventFilter(this);
    Image9->installEventFilter(this);
    LabTipo->installEventFilter(this);
    LabStampante->installEventFilter(this);
}

void TFoVelkor::ConnectHandlers()
{
    auto on = [this](QPushButton* b, auto handler) {
        connect(b, &QPushButton::clicked, this, [this, handler] { Guarded([this, handler] { handler(); }); });
    };
    on(BitBtnDati, [this] {
        ShowModalForm(FormRich, 0);
        LoadCurrentSubject();
    });
    on(BitBtnInputA, [this] {
        ShowModalForm(FoInputVlk, 10);
        LoadCurrentSubject();
    });
    on(BitBtnCancel, [this] { ShowModalForm(FoCancel, 10); });
    on(BitBtn1, [this] { ShowModalForm(FoModifi, 10); });
    on(BBProped, [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        try {
            LoadCurrentSubject(false); // the chart window computes the chart as it opens
            SetWheelRadii();
        } catch (...) {
            QApplication::restoreOverrideCursor();
            throw;
        }
        QApplication::restoreOverrideCursor();
        // The chart window's further pages need the computed chart: the
        // main window enables them when it opens the window for a subject.
        for (QPushButton* page : {FgrVelko->BBEnergi, FgrVelko->BBantisce, FgrVelko->BBdodecate, FgrVelko->BBmarbeck,
                                  FgrVelko->BBmaestri})
            page->setEnabled(true);
        ShowModalForm(FgrVelko, 0, false);
    });
    on(BBOriz, [this] { SummaryChart(kLayoutLandscape1, "L", true); });
    on(BBoriz2, [this] { SummaryChart(kLayoutLandscape2, "L", false); });
    on(BBVert, [this] { SummaryChart(kLayoutPortrait1, "P", true); });
    on(BBvert2, [this] { SummaryChart(kLayoutPortrait2, "P", true); });
    on(BitBtnVarOrbAsp, [this] { ShowModalForm(FoOrbVlk, 10); });
    on(BBCerchio, [this] {
        LayoutCode = kLayoutNone;
        ShowModalForm(FgrTxtVlk, 0, false);
    });
    on(BitBtn22, [this] { ShowModalForm(FoSpeLin, 10); });
    connect(SBtipoStamp, &QToolButton::clicked, this, [this] { Guarded([this] { ShowModalForm(FoStampa, 10); }); });
    on(BBSintomi, [this] {
        RememberMainPos();
        ShowModalForm(Renew(FoSintom1), 0, false);
    });
    on(BitBtn2, [this] {
        RememberMainPos();
        ShowModalForm(Renew(FoRimed), 0, false);
    });
    on(BBriceCompo, [this] { ShowModalForm(Renew(FoRicCom), 0, false); });
    on(BitBtn10, [this] { ShowModalForm(Renew(FoTerCom), 0, false); });
    on(BitBtn3, [this] { ShowModalForm(FoTerapi, 0, false); });
    on(BitBtn4, [this] { ShowModalForm(FoMainArc, 0, false); });
    on(BBaggRep, [this] { ShowModalForm(FoAggRep, 0, false); });
    on(BitBtn5, [this] { ShowModalForm(FoSegnat, 0, false); });
    on(BitBtn7, [this] { ShowModalForm(FoPiante, 0, false); });
    on(BitBtn6, [this] { ShowModalForm(FoMali, 0, false); });
    on(BitBtn9, [this] { ShowModalForm(FoSintesi, 0, false); });
    on(Btovr1, [this] { ShowModalForm(FoSintom3, 0, false); });
    on(Btovr2, [this] { ShowModalForm(FoSintom2, 0, false); });
    on(BitBtn8, [this] { ShowModalForm(FoPrinci, 0, false); });
    on(Button1, [this] { ShowModalForm(FoManut1, 0, false); });
    on(BButility, [this] { ShowModalForm(FoUtilit, 10); });
    on(EdAggiorna, [this] { ShowModalForm(FoAggiorna, 10); });
    on(BBistruz, [this] { ShowModalForm(FoIstDef, 10); });
    on(BBdispensa, [this] { BBdispensaClick(); });
    on(BitBtnNomeCognome, [this] {
        ShowModalForm(FoNomUte, 10);
        BitBtnNomeCognome->setText(ToQ(UserFirstName + " " + UserSurname));
    });
    on(BBSalva, [this] { ShowModalForm(Renew(FoBakMod1), 10); });
    on(BBApriTesto, [this] { BBApriTestoClick(); });
    on(BBlk, [this] { BBlkClick(); });
    connect(SBpass, &QToolButton::clicked, this, [this] { Guarded([this] { SBpassClick(); }); });

    connect(ComboNodo, &QComboBox::activated, this, [this] { ComboNodoChange(); });
    connect(ComboNodo->lineEdit(), &QLineEdit::textEdited, this, [this] { ComboNodoChange(); });
    connect(ComboOrb, &QComboBox::activated, this, [this] { ComboOrbChange(); });
    connect(ComboOrb->lineEdit(), &QLineEdit::textEdited, this, [this] { ComboOrbChange(); });
}

void TFoVelkor::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!firstShown_) {
        firstShown_ = true;
        // Once the window is on screen, so that its size is known.
        QTimer::singleShot(0, this, [this] { FormActivate(); });
    }
}

void TFoVelkor::ShowModalForm(QDialog* form, int offset, bool place)
{
    if (place) {
        RememberMainPos();
        PlaceForm(form, offset);
    }
    form->exec();
    FormActivate();
}

void TFoVelkor::FormActivate()
{
    Guarded([this] {
        ResetStaleBackupFolder();                                      // 1
        EnsurePersonalArchive();                                       // 2
        TodayJD = TodayJulianDay();                                    // 3
        RememberMainSize();                                            // 4
        ReadUserName();                                                // 5
        BitBtnNomeCognome->setText(ToQ(UserFullName));
        ReadOrCreatePrintSettings();                                   // 6
        ComboNodo->setEditText(ToQ(NodeKind));                         // 7
        LayoutGraphicWindows();                                        // 8
        LoadCurrentSubject();                                          // 9
        SetCombosLocked(true);                                         // 10
        ComboOrb->setEditText(OrbItemFor(OrbSetLetter));
        if (!runLogged_) {                                             // 11
            runLogged_ = true;
            UpdateRunLog(TodayJD);
            Cbox1->clear();
            for (const std::string& d : RunDates())
                Cbox1->addItem(ToQ(d));
        }
    });
    ++activations_;
}

void TFoVelkor::LayoutGraphicWindows()
{
    const ScreenRect screen = PrimaryScreen();
    for (TPendingGraphicForm* w : {static_cast<TPendingGraphicForm*>(FgrTxtVlk),
                                   static_cast<TPendingGraphicForm*>(FgrNaVlk)}) {
        if (!w)
            continue;
        w->hide();
        w->setGeometry(screen.left, screen.top, screen.width, screen.height);
    }
    if (FgrNaVlk)
        FgrNaVlk->Panel1->setGeometry(0, screen.height - FgrNaVlk->Panel1->height(), screen.width,
                                      FgrNaVlk->Panel1->height());
    if (FgrVelko) {
        FgrVelko->hide();
        FgrVelko->setGeometry(screen.left, screen.top, screen.width, screen.height);
        FgrVelko->Panel1->setGeometry(0, screen.height - FgrVelko->Panel1->height(), screen.width,
                                      FgrVelko->Panel1->height());
    }
}

void TFoVelkor::LoadCurrentSubject(bool computeChart)
{
    LoadCurrentSubjectData();
    // The chart of the subject: houses, bodies with their retrograde marks
    // and the planetary hour, into the shared tables the chart pages read.
    if (computeChart)
        ComputeCurrentSubjectChart();
    MemoDati->setPlainText(ToQ(
        [] {
            std::string text;
            for (const std::string& line : CurrentSubjectSummary())
                text += line + "\n";
            text.pop_back();
            return text;
        }()));
    MemoAnnotaz->setPlainText(ToQ(CurrentAnnotations()));
    const auto textPath = SubjectTextPath();
    BBApriTesto->setVisible(textPath && ProgramPath::Exists(*textPath));
}

void TFoVelkor::SummaryChart(SummaryLayout layout, const char* orientation, bool exchangeMarks)
{
    LoadCurrentSubject();
    LayoutCode = layout;
    SetWheelRadii();
    PrintOrientation = orientation;
    PrintBodyLongitude = BodyLongitude;
    // The summary drawing reads the marks from the shared state.
    SummaryExchangeMarks = exchangeMarks;
    PlanetExchangeMarks = exchangeMarks ? AnalysisPages::CurrentExchangeMarks() : std::array<int, 8> {};
    ShowModalForm(FgrNaVlk, 0, false);
}

void TFoVelkor::SetCombosLocked(bool locked)
{
    ComboOrb->setEnabled(!locked);
    ComboNodo->setEnabled(!locked);
    for (QComboBox* c : {ComboOrb, ComboNodo}) {
        SetEditColours(c, locked ? kColourGrey : kColourAqua, locked ? kColourWhite : kColourBlack);
        SetEditColours(c->lineEdit(), locked ? kColourGrey : kColourAqua, locked ? kColourWhite : kColourBlack);
    }
    BBlk->setIcon(ResourcePixmap(locked ? "LockShut.bmp" : "LockOpen.bmp"));
}

void TFoVelkor::BBlkClick()
{
    SetCombosLocked(ComboOrb->isEnabled());
}

void TFoVelkor::ScheduleIdle()
{
    idleTimer_->start();
}

void TFoVelkor::ComboNodoChange()
{
    std::string t = FromQ(ComboNodo->currentText());
    if (t.size() > 5)
        t.resize(5);
    NodeKind = t;
    nodeChanged_ = true;
    ScheduleIdle();
}

void TFoVelkor::ComboNodoDblClick()
{
    NodeKind = NodeKind == "VERO" ? "MEDIO" : "VERO";
    ComboNodo->setEditText(ToQ(NodeKind));
    nodeChanged_ = true;
    ScheduleIdle();
}

void TFoVelkor::ComboOrbChange()
{
    const std::string t = FromQ(ComboOrb->currentText());
    if (t == kOrbItems[1])
        OrbSetLetter = "B";
    else if (t == kOrbItems[2])
        OrbSetLetter = "C";
    else if (t == kOrbItems[0])
        OrbSetLetter = "A";
    orbChanged_ = true;
    ScheduleIdle();
}

void TFoVelkor::MyIdleHandler()
{
    if (nodeChanged_) {
        nodeChanged_ = false;
        const std::string t = FromQ(ComboNodo->currentText());
        if (t != "MEDIO" && t != "VERO") {
            ComboNodo->setEditText(QStringLiteral("MEDIO"));
            NodeKind = "MEDIO";
        }
        ReplaceOrbLine(18, NodeKind);
    }
    if (orbChanged_) {
        orbChanged_ = false;
        const std::string t = FromQ(ComboOrb->currentText());
        if (t != kOrbItems[0] && t != kOrbItems[1] && t != kOrbItems[2]) {
            ComboOrb->setEditText(ToQ(kOrbItems[0]));
            OrbSetLetter = "A";
        }
        ApplyOrbSet(OrbSetLetter);
    }
}

void TFoVelkor::ApplyOrbSet(const std::string& letter)
{
    const OrbSetAdoption adopted = ::ApplyOrbSet(letter);
    if (!adopted.message.empty())
        Dialogs::Error(adopted.message);
    ComboOrb->setEditText(OrbItemFor(adopted.letter));
}

void TFoVelkor::SBpassClick()
{
    EdPass->setVisible(!EdPass->isVisible());
    if (EdPass->isVisible())
        EdPass->setFocus();
}

void TFoVelkor::EdPassKey(const QString& text)
{
    std::string typed = FromQ(text);
    UpperCaseInPlace(typed);
    typedCode_ += typed;
    EdPass->setText(ToQ(RepeatChar(static_cast<int>(typedCode_.size()), '*')));
    CheckTypedCode();
}

void TFoVelkor::CheckTypedCode()
{
    if (typedCode_ == "KELDORVIN" || typedCode_ == "keldorvin") {
        Cbox1->setVisible(true);
        BButility->setVisible(true);
        ShowAdminEditors(true);
        EdPass->setVisible(false);
        EdPass->setText(QStringLiteral("OK"));
    } else if (typedCode_ == "PRAVELTOM") {
        Btovr1->setVisible(true);
        Btovr2->setVisible(true);
        PlantPanelMode = true;
        EdPass->setVisible(false);
    }
}

void TFoVelkor::EdPassClick()
{
    EdPass->setVisible(false);
    EdPass->clear();
    typedCode_.clear();
    ShowAdminEditors(false);
}

void TFoVelkor::ShowAdminEditors(bool visible)
{
    // The windows opened only in administrator mode: the multiple-symptom
    // search, the composite therapies and the debilities.
    BBriceCompo->setVisible(visible);
    BitBtn10->setVisible(visible);
    BitBtn6->setEnabled(visible);
    for (TPendingEditorForm* f : {static_cast<TPendingEditorForm*>(FoMainArc), static_cast<TPendingEditorForm*>(FoAggRep)}) {
        if (!f)
            continue;
        for (QWidget* w : f->AdminControls())
            w->setVisible(visible);
    }
}

void TFoVelkor::BBApriTestoClick()
{
    const auto textPath = SubjectTextPath();
    if (!textPath)
        throw IoError(kSubjectTextFile, "lettura", "file mancante");
    const std::string& path = *textPath;
    WriteTextLines(kEditTextFile, {path});
    // The program's own text editor takes this over when it exists; until
    // then the desktop's editor opens the file.
    if (!OpenDocument(path))
        Dialogs::Error("Impossibile aprire il testo \"" + path + "\"");
}

void TFoVelkor::BBdispensaClick()
{
    if (!OpenDocument("Dispensa.pdf"))
        Dialogs::Error("Impossibile aprire il documento \"Dispensa.pdf\"");
}

void TFoVelkor::Image9MouseDown()
{
    Image9->setPixmap(ResourcePixmap("FineProgClic.bmp"));
}

void TFoVelkor::Image9MouseUp()
{
    Image9->setPixmap(ResourcePixmap("FineProg.bmp"));
    close();
}

bool TFoVelkor::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    bool handled = false;
    Guarded([&] {
        if (watched == MemoDati->viewport() && type == QEvent::MouseButtonPress) {
            MemoAnnotaz->setVisible(true);
            MemoAnnotaz->raise();
            handled = true;
        } else if (watched == MemoAnnotaz->viewport() && type == QEvent::MouseButtonPress) {
            MemoAnnotaz->setVisible(false);
            handled = true;
        } else if (watched == ComboNodo->lineEdit() && type == QEvent::MouseButtonDblClick) {
            if (ComboNodo->isEnabled())
                ComboNodoDblClick();
            handled = true;
        } else if (watched == EdPass) {
            if (type == QEvent::KeyPress) {
                auto* key = static_cast<QKeyEvent*>(event);
                const QString text = key->text();
                if (!text.isEmpty() && text.at(0).isPrint()) {
                    EdPassKey(text);
                    handled = true;
                }
            } else if (type == QEvent::MouseButtonPress) {
                EdPassClick();
                handled = true;
            } else if (type == QEvent::MouseButtonDblClick) {
                typedCode_.clear();
                handled = true;
            }
        } else if (watched == Cbox1 && type == QEvent::MouseButtonDblClick) {
            Cbox1->setVisible(false);
            handled = true;
        } else if (watched == Image9) {
            if (type == QEvent::MouseButtonPress) {
                Image9MouseDown();
                handled = true;
            } else if (type == QEvent::MouseButtonRelease) {
                Image9MouseUp();
                handled = true;
            }
        } else if ((watched == LabTipo || watched == LabStampante) && type == QEvent::MouseButtonRelease) {
            ShowModalForm(FoStampa, 10);
            handled = true;
        }
    });
    return handled || QWidget::eventFilter(watched, event);
}
