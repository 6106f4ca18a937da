#include "archive/UninputVlk.h"

#include "archive/BirthDataCheck.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/FloatText.h"
#include "archive/UnRegVlk.h"
#include "shell/SharedState.h"
#include "shell/UnControlli.h"
#include "shell/UnServizi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>

namespace {
constexpr int kColourTeal = 8421376;
constexpr std::size_t kShownPlaces = 300;

QLineEdit* Edit(QWidget* parent, const char* name, int maxLength, int width = 0)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    if (width > 0)
        e->setMaximumWidth(width);
    return e;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(ToQ(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

std::string Text(const QLineEdit* e)
{
    return TrimBlanks(FromQ(e->text()));
}
} // namespace

TFoInputVlk::TFoInputVlk(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FoInputVlk"));
    setWindowTitle(ToQ("Introduzione Dati di Nascita"));
    setModal(true);

    EditSogg = Edit(this, "EditSogg", 38);
    EditGiorno = Edit(this, "EditGiorno", 2, 40);
    EditMese = Edit(this, "EditMese", 2, 40);
    EditAnno = Edit(this, "EditAnno", 4, 60);
    EditOra = Edit(this, "EditOra", 2, 40);
    EditMinuti = Edit(this, "EditMinuti", 2, 40);
    BitBtnOggi = Button(this, "BitBtnOggi", "oggi");
    DateTimePicker1 = new QDateEdit(this);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    DateTimePicker1->setMinimumDate(QDate(1, 1, 1));
    DateTimePicker1->setMaximumDate(QDate(2080, 12, 31));

    // Room for the longest other name and one more character, so that a
    // longer text is refused with a message rather than cut silently.
    EditLocal = Edit(this, "EditLocal", static_cast<int>(kAliasCapacity) + 1);
    EditLocal->setToolTip(ToQ("Scrivere le prime lettere della Località"));
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setToolTip(ToQ("Doppio Clic sull'Elenco Località"));
    ListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBar1 = new QScrollBar(Qt::Vertical, this);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    LabLocal = new QLabel(this);
    LabLocal->setObjectName(QStringLiteral("LabLocal"));
    LabLocal->setStyleSheet(QStringLiteral("color: red"));
    LabLocal->setWordWrap(true);
    LabLocal->setVisible(false);
    auto* sources = new QLabel(ToQ("Località: GeoNames (CC BY 4.0) e ISTAT; regimi orari: IANA Time Zone Database"), this);
    sources->setObjectName(QStringLiteral("LabFonti"));
    sources->setStyleSheet(QStringLiteral("color: gray; font-size: 8pt"));
    BBItalia = Button(this, "BBItalia", "Archivio Italia");
    BBperson = Button(this, "BBperson", "Archivio Estero");

    PanelMan = new QGroupBox(ToQ("Coordinate Manuali"), this);
    PanelMan->setObjectName(QStringLiteral("PanelMan"));
    EditGrdLat = Edit(PanelMan, "EditGrdLat", 2, 40);
    EditNS = Edit(PanelMan, "EditNS", 1, 30);
    EditPriLat = Edit(PanelMan, "EditPriLat", 2, 40);
    EditGrdLon = Edit(PanelMan, "EditGrdLon", 3, 50);
    EditEWgrd = Edit(PanelMan, "EditEWgrd", 1, 30);
    EditPriLon = Edit(PanelMan, "EditPriLon", 2, 40);
    EditOreLon = Edit(PanelMan, "EditOreLon", 2, 40);
    EditMinLon = Edit(PanelMan, "EditMinLon", 2, 40);
    EditSecLon = Edit(PanelMan, "EditSecLon", 2, 40);
    EditEWore = Edit(PanelMan, "EditEWore", 1, 30);
    BitBtn1 = Button(PanelMan, "BitBtn1", "&OK");
    BitBtn2 = Button(PanelMan, "BitBtn2", "&Canc");
    auto* man = new QGridLayout(PanelMan);
    man->addWidget(new QLabel(ToQ("Latitudine (gradi N/S primi)"), PanelMan), 0, 0);
    man->addWidget(EditGrdLat, 0, 1);
    man->addWidget(EditNS, 0, 2);
    man->addWidget(EditPriLat, 0, 3);
    man->addWidget(new QLabel(ToQ("Longitudine (gradi E/W primi)"), PanelMan), 1, 0);
    man->addWidget(EditGrdLon, 1, 1);
    man->addWidget(EditEWgrd, 1, 2);
    man->addWidget(EditPriLon, 1, 3);
    man->addWidget(new QLabel(ToQ("oppure in tempo (ore minuti secondi E/W)"), PanelMan), 2, 0);
    auto* time = new QHBoxLayout();
    for (QLineEdit* e : {EditOreLon, EditMinLon, EditSecLon, EditEWore})
        time->addWidget(e);
    man->addLayout(time, 2, 1, 1, 3);
    man->addWidget(BitBtn1, 3, 1);
    man->addWidget(BitBtn2, 3, 3);
    PanelMan->setVisible(false);

    PanelResult = new QGroupBox(ToQ("Esito Dati Inseriti"), this);
    PanelResult->setObjectName(QStringLiteral("PanelResult"));
    EditDataEstesa = Edit(PanelResult, "EditDataEstesa", 80);
    EditJD = Edit(PanelResult, "EditJD", 20);
    EditLocEstesa = Edit(PanelResult, "EditLocEstesa", 31);
    EditCoord = Edit(PanelResult, "EditCoord", 12);
    EditCoord->setToolTip(ToQ("Doppio clic per inserire le coordinate a mano"));
    EditFuso = Edit(PanelResult, "EditFuso", 6);
    EditCalend = Edit(PanelResult, "EditCalend", 4);
    EditStato = Edit(PanelResult, "EditStato", 23);
    CheckBoxLocale = new QCheckBox(ToQ("Usa Ora Locale"), PanelResult);
    CheckBoxLocale->setObjectName(QStringLiteral("CheckBoxLocale"));
    ComboBox2 = new QComboBox(PanelResult);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    LabNote = new QLabel(ToQ("REGIMI ORARI NON AGGIORNATI"), PanelResult);
    LabNote->setObjectName(QStringLiteral("LabNote"));
    LabNote->setStyleSheet(QStringLiteral("color: red"));
    LabNote->setVisible(false);
    auto* res = new QGridLayout(PanelResult);
    const std::pair<const char*, QWidget*> rows[] = {
        {"Data", EditDataEstesa}, {"Giorno Giuliano (TU)", EditJD}, {"Località", EditLocEstesa},
        {"Nazionalità", EditStato}, {"Coordinate", EditCoord}, {"Correz Totale (ore)", EditFuso},
        {"Calend (GIUL-GREG)", EditCalend}, {"Regimi orari", ComboBox2},
    };
    int r = 0;
    for (const auto& [label, w] : rows) {
        w->setMinimumWidth(230);
        res->addWidget(new QLabel(ToQ(label), PanelResult), r, 0);
        res->addWidget(w, r, 1);
        ++r;
    }
    res->addWidget(CheckBoxLocale, r, 0);
    res->addWidget(LabNote, r, 1);

    BBLock = Button(this, "BBLock", "Modifica Manuale");
    BBprosegui = Button(this, "BBprosegui", "OK Prosegui");
    BBRitorna = Button(this, "BBRitorna", "&Annulla e Ritorna");

    auto* root = new QGridLayout(this);
    auto* who = new QGridLayout();
    who->addWidget(new QLabel(ToQ("Nome del Soggetto"), this), 0, 0);
    who->addWidget(EditSogg, 0, 1, 1, 6);
    who->addWidget(new QLabel(ToQ("Data (gg mm aaaa)"), this), 1, 0);
    who->addWidget(EditGiorno, 1, 1);
    who->addWidget(EditMese, 1, 2);
    who->addWidget(EditAnno, 1, 3);
    who->addWidget(BitBtnOggi, 1, 4);
    who->addWidget(DateTimePicker1, 1, 5);
    who->addWidget(new QLabel(ToQ("Ora locale (hh mm)"), this), 2, 0);
    who->addWidget(EditOra, 2, 1);
    who->addWidget(EditMinuti, 2, 2);
    root->addLayout(who, 0, 0);
    auto* where = new QVBoxLayout();
    auto* which = new QHBoxLayout();
    which->addWidget(BBItalia);
    which->addWidget(BBperson);
    where->addLayout(which);
    where->addWidget(EditLocal);
    auto* list = new QHBoxLayout();
    list->addWidget(ListBox1);
    list->addWidget(ScrollBar1);
    where->addLayout(list);
    where->addWidget(LabLocal);
    where->addWidget(sources);
    root->addLayout(where, 1, 0);
    root->addWidget(PanelMan, 2, 0);
    root->addWidget(PanelResult, 0, 1, 3, 1);
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(BBLock);
    buttons->addStretch();
    buttons->addWidget(BBprosegui);
    buttons->addWidget(BBRitorna);
    root->addLayout(buttons, 3, 0, 1, 2);

    auto on = [this](QPushButton* b, auto handler) {
        connect(b, &QPushButton::clicked, this, [handler] { Guarded(handler); });
    };
    on(BBItalia, [this] { SetGazetteer(true); });
    on(BBperson, [this] { SetGazetteer(false); });
    on(BitBtnOggi, [this] { BitBtnOggiClick(); });
    on(BBLock, [this] { SetResultLocked(!locked_); });
    on(BBprosegui, [this] { BBprosegiuClick(); });
    on(BitBtn1, [this] { ManualOk(); });
    on(BitBtn2, [this] { PanelMan->setVisible(false); });
    connect(BBRitorna, &QPushButton::clicked, this, &QDialog::reject);
    connect(EditLocal, &QLineEdit::textEdited, this, [this] { Guarded([this] { EditLocalChange(); }); });
    connect(ListBox1, &QListWidget::itemActivated, this, [this] { Guarded([this] { ListBox1DblClick(); }); });
    connect(ListBox1->verticalScrollBar(), &QScrollBar::rangeChanged, ScrollBar1, &QScrollBar::setRange);
    connect(ListBox1->verticalScrollBar(), &QScrollBar::valueChanged, ScrollBar1, &QScrollBar::setValue);
    connect(ScrollBar1, &QScrollBar::valueChanged, ListBox1->verticalScrollBar(), &QScrollBar::setValue);
    connect(CheckBoxLocale, &QCheckBox::toggled, this, [this] { Guarded([this] { ComputeResult(); }); });
    connect(DateTimePicker1, &QDateEdit::dateChanged, this, [this](const QDate& d) {
        if (!DateTimePicker1->hasFocus())
            return; // only the user's choice fills the edits
        Guarded([&] { FillDate(d.day(), d.month(), d.year()); });
    });
    for (QLineEdit* e : {EditGiorno, EditMese, EditAnno, EditOra, EditMinuti}) {
        // Typed or filled ("oggi", the calendar): the result follows at once.
        connect(e, &QLineEdit::textChanged, this, [this] { Guarded([this] { InputChanged(); }); });
        // Leaving a field says what is wrong with it.
        connect(e, &QLineEdit::editingFinished, this, [this] {
            Guarded([this] {
                if (place_)
                    CheckDate(false);
            });
        });
    }
    connect(EditCalend, &QLineEdit::textEdited, this, [this] { Guarded([this] { CalendarEdited(); }); });
    connect(EditFuso, &QLineEdit::textEdited, this, [this] { Guarded([this] { CorrectionEdited(); }); });
    EditCoord->installEventFilter(this);
    for (QLineEdit* e : {EditGrdLat, EditNS, EditPriLat, EditGrdLon, EditEWgrd, EditPriLon, EditOreLon, EditMinLon,
                         EditSecLon, EditEWore})
        e->installEventFilter(this);
}

void TFoInputVlk::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Guarded([this] { FormActivate(); });
}

void TFoInputVlk::FormActivate()
{
    EditSogg->setText(QStringLiteral("OGGI"));
    for (QLineEdit* e : {EditGiorno, EditMese, EditAnno, EditOra, EditMinuti, EditLocal, EditDataEstesa, EditJD,
                         EditLocEstesa, EditCoord, EditFuso, EditCalend, EditStato})
        e->clear();
    ListBox1->clear();
    ComboBox2->clear();
    LabNote->setVisible(false);
    CheckBoxLocale->setChecked(false);
    PanelMan->setVisible(false);
    place_.reset();
    regimes_.clear();
    calendarTyped_.reset();
    SetGazetteer(true);
    SetResultLocked(true);
}

void TFoInputVlk::SetGazetteer(bool italy)
{
    italy_ = italy;
    BBItalia->setDefault(italy);
    BBperson->setDefault(!italy);
    BBItalia->setStyleSheet(italy ? QStringLiteral("font-weight: bold") : QString());
    BBperson->setStyleSheet(italy ? QString() : QStringLiteral("font-weight: bold"));
    EditLocalChange();
}

void TFoInputVlk::EditLocalChange()
{
    ListBox1->clear();
    matches_.clear();
    LabLocal->setVisible(false);
    if (EditLocal->text().trimmed().isEmpty()) {
        EditLocal->setPalette(QPalette());
        return;
    }
    // The typed text as UTF-8: letters outside Windows-1252 are
    // transliterated or refused by the search's own reading.
    const TypedPlace typed = ReadTypedPlace(EditLocal->text().toStdString());
    MarkEdit(EditLocal, !typed.problem.empty());
    if (!typed.problem.empty()) {
        ListBox1->addItem(ToQ(typed.problem));
        return;
    }
    const char* file = italy_ ? kItalianPlacesFile : kForeignPlacesFile;
    for (const PlaceMatch& m : SearchPlaces(file, typed.name, kShownPlaces)) {
        const PlaceRecord p = ReadPlace(file, m.record);
        // A place found by another name shows it first: "Bozen = Bolzano(BZ)".
        const std::string other = m.alias.empty() ? std::string() : TrimRightBlanks(m.alias.substr(0, m.alias.find('*'))) + " = ";
        ListBox1->addItem(ToQ(other + PlaceDisplay(p.name) + (italy_ ? "" : "  (" + TrimRightBlanks(p.state) + ")")));
        matches_.push_back(m.record);
    }
    MarkEdit(EditLocal, matches_.empty());
    if (!matches_.empty()) {
        ListBox1->setCurrentRow(0);
        return;
    }
    // Nothing begins so: say it, and where else to look.
    const bool elsewhere = !SearchPlaces(italy_ ? kForeignPlacesFile : kItalianPlacesFile, typed.name, 1).empty();
    std::string note = std::string("Nessuna località ") + (italy_ ? "italiana" : "estera") + " inizia con \"" +
                       typed.name + "\": ";
    if (elsewhere)
        note += std::string("cercare in ") + (italy_ ? "\"Archivio Estero\"" : "\"Archivio Italia\"") + ".";
    else
        note += "controllare il nome, o doppio clic su Coordinate per inserirle a mano.";
    LabLocal->setText(ToQ(note));
    LabLocal->setVisible(true);
}

namespace {
struct DateField {
    QLineEdit* TFoInputVlk::*edit;
    int lo, hi;
};
constexpr DateField kDateFields[] = {
    {&TFoInputVlk::EditGiorno, 1, 31}, {&TFoInputVlk::EditMese, 1, 12}, {&TFoInputVlk::EditAnno, 0, 2080},
    {&TFoInputVlk::EditOra, 0, 23},    {&TFoInputVlk::EditMinuti, 0, 59},
};
} // namespace

int TFoInputVlk::CalendarFor(const LocalBirth& b) const
{
    if (calendarTyped_)
        return *calendarTyped_;
    return place_ ? CalendarAt(b, *place_) : 1;
}

std::optional<LocalBirth> TFoInputVlk::TypedBirth() const
{
    int v[5];
    for (std::size_t i = 0; i < 5; ++i) {
        const auto n = ParseInteger(Text(this->*kDateFields[i].edit));
        if (!n || *n < kDateFields[i].lo || *n > kDateFields[i].hi)
            return std::nullopt;
        v[i] = static_cast<int>(*n);
    }
    const LocalBirth b {v[0], v[1], v[2], v[3], v[4]};
    if (!ValidCalendarDate(b.day, b.month, b.year, CalendarFor(b)))
        return std::nullopt;
    return b;
}

bool TFoInputVlk::CheckDate(bool report)
{
    for (const DateField& f : kDateFields)
        if (Text(this->*f.edit).empty()) {
            if (report)
                Dialogs::Error("Inserire Data di Nascita");
            return false;
        }
    bool ok = true;
    for (const DateField& f : kDateFields)
        CheckIntEdit(this->*f.edit, f.lo, f.hi, false, ok);
    if (ok) {
        birth_ = {static_cast<int>(*ParseInteger(Text(EditGiorno))), static_cast<int>(*ParseInteger(Text(EditMese))),
                  static_cast<int>(*ParseInteger(Text(EditAnno))), static_cast<int>(*ParseInteger(Text(EditOra))),
                  static_cast<int>(*ParseInteger(Text(EditMinuti)))};
        // A day the month does not have (31/04, 29/02 of a common year)
        // would silently chart another day.
        if (!ValidCalendarDate(birth_.day, birth_.month, birth_.year, CalendarFor(birth_))) {
            MarkEdit(EditGiorno, true);
            ok = false;
        }
    }
    if (!ok)
        Dialogs::Error("Data Scorretta");
    return ok;
}

void TFoInputVlk::ListBox1DblClick()
{
    const int row = ListBox1->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= matches_.size())
        return;
    const PlaceRecord chosen =
        ReadPlace(italy_ ? kItalianPlacesFile : kForeignPlacesFile, matches_[static_cast<std::size_t>(row)]);
    std::vector<RegimeRecord> regimes = LoadRegimes(chosen.regime);
    place_ = chosen;
    regimes_ = std::move(regimes);
    calendarTyped_.reset();
    EditLocEstesa->setText(ToQ(PlaceDisplay(TrimRightBlanks(place_->name))));
    EditStato->setText(ToQ(PlaceNation(*place_, italy_)));
    EditCoord->setText(ToQ(PlaceCoordText(place_->latitude, place_->longitude)));
    ComboBox2->clear();
    for (const RegimeRecord& r : regimes_)
        ComboBox2->addItem(ToQ(RegimeListLine(r)));
    ComputeResult();
    if (!TypedBirth())
        CheckDate(true);
}

void TFoInputVlk::InputChanged()
{
    if (filling_)
        return;
    calendarTyped_.reset();
    ComputeResult();
}

void TFoInputVlk::FillDate(int day, int month, int year)
{
    filling_ = true;
    EditGiorno->setText(ToQ(ZeroPad(day, 2)));
    EditMese->setText(ToQ(ZeroPad(month, 2)));
    EditAnno->setText(ToQ(ZeroPad(year, 4)));
    filling_ = false;
    InputChanged();
}

void TFoInputVlk::ComputeResult()
{
    if (!place_) {
        // Typed coordinates and no place of the gazetteers: the user gives
        // the calendar and the correction; the days follow them.
        CorrectionEdited();
        return;
    }
    const std::optional<LocalBirth> b = TypedBirth();
    if (!b) {
        for (QLineEdit* e : {EditDataEstesa, EditJD, EditCalend, EditFuso})
            e->clear();
        LabNote->setVisible(false);
        ComboBox2->setCurrentIndex(-1);
        return;
    }
    birth_ = *b;
    const BirthResult r = ComputeBirth(*b, *place_, regimes_, CheckBoxLocale->isChecked(), calendarTyped_);
    ComboBox2->setCurrentIndex(r.regimeIndex);
    EditCalend->setText(r.calendar == 1 ? QStringLiteral("GREG") : QStringLiteral("GIUL"));
    EditFuso->setText(ToQ(CorrectionDisplay(r.correction)));
    LabNote->setVisible(r.regimesEnd);
    EditDataEstesa->setText(ToQ(JDToText(r.localJD)));
    EditJD->setText(ToQ(FixedDigits(13, r.universalJD)));
}

void TFoInputVlk::CalendarEdited()
{
    const std::string t = Text(EditCalend);
    if (t != "GREG" && t != "GIUL")
        return; // still typing; "OK Prosegui" asks for it
    calendarTyped_ = t == "GREG" ? 1 : 0;
    ComputeResult();
}

void TFoInputVlk::CorrectionEdited()
{
    // The days of the result from the date, the calendar and the correction
    // as they stand in the panel.
    const std::optional<LocalBirth> b = TypedBirth();
    const std::string calendarText = Text(EditCalend);
    const auto stored = StoredCorrection(Text(EditFuso));
    if (!b || (calendarText != "GREG" && calendarText != "GIUL") || !stored) {
        EditDataEstesa->clear();
        EditJD->clear();
        return;
    }
    const bool saved = CurrentSubject.InEphemerisRange;
    const long double localJD = JulianDay(calendarText == "GREG" ? 1 : 0, b->day, b->month, b->year, b->hour, b->minute);
    CurrentSubject.InEphemerisRange = saved;
    EditDataEstesa->setText(ToQ(JDToText(localJD)));
    EditJD->setText(ToQ(FixedDigits(13, localJD + *ParseLocaleReal(*stored) / 24.0L)));
}

void TFoInputVlk::SetResultLocked(bool locked)
{
    locked_ = locked;
    for (QLineEdit* e : {EditDataEstesa, EditJD, EditLocEstesa, EditCoord, EditFuso, EditCalend, EditStato}) {
        e->setReadOnly(locked);
        SetEditColours(e, locked ? kColourTeal : kColourAqua, locked ? kColourWhite : kColourBlack);
    }
    BBLock->setText(locked ? ToQ("Modifica Manuale") : ToQ("Blocca"));
}

void TFoInputVlk::BitBtnOggiClick()
{
    const FileSystem::LocalTime now = FileSystem::Now();
    DateTimePicker1->setDate(QDate(now.year, now.month, now.day));
    FillDate(now.day, now.month, now.year);
}

void TFoInputVlk::ManualOk()
{
    auto number = [](QLineEdit* e) { return ParseInteger(Text(e)); };
    std::optional<long double> lat, lon;
    const auto gLat = number(EditGrdLat), pLat = number(EditPriLat);
    const std::string ns = Text(EditNS);
    if (gLat && pLat && (ns == "N" || ns == "S") && *gLat <= 90 && *pLat < 60 && !(*gLat == 90 && *pLat > 0))
        lat = (*gLat + *pLat / 60.0L) * (ns == "S" ? -1 : 1);
    const auto gLon = number(EditGrdLon), pLon = number(EditPriLon);
    const std::string ew = Text(EditEWgrd);
    if (gLon && pLon && (ew == "E" || ew == "W") && *gLon <= 180 && *pLon < 60 && !(*gLon == 180 && *pLon > 0)) {
        lon = (*gLon + *pLon / 60.0L) * (ew == "W" ? -1 : 1);
    } else {
        const auto h = number(EditOreLon), m = number(EditMinLon), s = number(EditSecLon);
        const std::string ewt = Text(EditEWore);
        if (h && m && s && (ewt == "E" || ewt == "W") && *h <= 12 && *m < 60 && *s < 60)
            lon = (*h + *m / 60.0L + *s / 3600.0L) * 15 * (ewt == "W" ? -1 : 1);
    }
    if (!lat || !lon || std::fabs(*lon) > 180) {
        Dialogs::Error("Coordinate Scorrette");
        return;
    }
    EditCoord->setText(ToQ(PlaceCoordText(*lat, *lon)));
    if (place_) {
        place_->latitude = *lat;
        place_->longitude = *lon;
    }
    ComputeResult();
    PanelMan->setVisible(false);
}

bool TFoInputVlk::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == EditCoord && event->type() == QEvent::MouseButtonDblClick) {
        PanelMan->setVisible(true);
        EditGrdLat->setFocus();
        return true;
    }
    if (event->type() == QEvent::KeyRelease) {
        Guarded([&] {
            bool ok = true;
            auto* e = qobject_cast<QLineEdit*>(watched);
            if (!e || Text(e).empty())
                return;
            if (e == EditNS || e == EditEWgrd || e == EditEWore) {
                std::string t = Text(e);
                UpperCaseInPlace(t);
                const bool valid = e == EditNS ? (t == "N" || t == "S") : (t == "E" || t == "W");
                e->setText(valid ? ToQ(t) : QString());
                MarkEdit(e, !valid);
            } else if (e == EditGrdLat) {
                CheckIntEdit(e, 0, 90, false, ok);
            } else if (e == EditGrdLon) {
                CheckIntEdit(e, 0, 180, false, ok);
            } else if (e == EditOreLon) {
                CheckIntEdit(e, 0, 12, false, ok);
            } else if (e == EditPriLat || e == EditPriLon || e == EditMinLon || e == EditSecLon) {
                CheckIntEdit(e, 0, 59, false, ok);
            }
        });
    }
    return QDialog::eventFilter(watched, event);
}

void TFoInputVlk::BBprosegiuClick()
{
    SetResultLocked(true);
    const std::string name = TrimRightBlanks(FromQ(EditSogg->text()));
    if (TrimBlanks(name).empty()) {
        Dialogs::Warning("Manca il Nome del Soggetto");
        return;
    }
    // What is missing, in the order the window asks for it: date, place,
    // coordinates, then the result (calendar, correction).
    if (!CheckDate(true))
        return;
    const std::string place = Text(EditLocEstesa);
    if (place.empty()) {
        Dialogs::Warning(matches_.empty() ? "Manca Nome Località" : "Doppio Clic sull'Elenco Località");
        return;
    }
    const std::string coords = FromQ(EditCoord->text());
    if (!ValidCoordText(coords)) {
        Dialogs::Error("Coordinate Errate o Mancanti");
        return;
    }
    const std::string calendarText = Text(EditCalend);
    if (calendarText != "GREG" && calendarText != "GIUL") {
        Dialogs::Error("Manca indicazione Calendario (GREG/GIUL)");
        return;
    }
    const int calendar = calendarText == "GREG" ? 1 : 0;
    if (!ValidCalendarDate(birth_.day, birth_.month, birth_.year, calendar)) {
        Dialogs::Error("Data Scorretta");
        return;
    }
    InputCalendar = static_cast<std::uint8_t>(calendar);
    const long double localJD =
        JulianDayNumber(calendar, birth_.day, birth_.month, birth_.year, birth_.hour, birth_.minute);
    const auto stored = StoredCorrection(Text(EditFuso));
    if (!stored) {
        Dialogs::Error("Manca correzione Coordinate Totale");
        return;
    }
    // The Julian day in universal time: the local clock reading less the
    // correction, taken from the stored text so that the subject loads back
    // with the very same day.
    const long double zone = *ParseLocaleReal(*stored);
    const long double universalJD = localJD + zone / 24.0L;
    EditJD->setText(ToQ(FixedDigits(13, universalJD)));

    BirthInput = BirthInputState {};
    BirthInput.Name = Bounded(name, 80);
    BirthInput.DisplayDate = JDToTextCal(localJD);
    // The gazetteer keeps the province between "*"; a place typed by hand
    // is stored as typed.
    BirthInput.Place = place_ ? Bounded(TrimRightBlanks(place_->name), 80) : place;
    if (place_ && PlaceDisplay(place_->name) != place)
        BirthInput.Place = place;
    BirthInput.CoordText = coords;
    BirthInput.ZoneText = *stored;
    BirthInput.Nationality = Bounded(Text(EditStato), 80);
    BirthInput.Calendar = static_cast<std::uint8_t>(calendar);
    BirthInput.JD = universalJD;

    RememberMainPos();
    PlaceForm(FormRegVlk, 10);
    if (FormRegVlk->exec() == QDialog::Accepted)
        accept();
}
