#include "kb/UnConsulta.h"

#include "kb/ConsultationPages.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "shell/UnControlli.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

QLineEdit* Box(QWidget* parent, const std::string& name, int width)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(ToQ(name));
    e->setReadOnly(true);
    e->setMinimumWidth(width);
    return e;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(ToQ(caption), parent);
    b->setObjectName(ToQ(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TFoConsulta::TFoConsulta(const char* objectName, const char* caption, bool signatureBoxes, const char* searchName,
                         const char* headingName, const char* fourthName, const char* infoText, QWidget* parent)
    : QDialog(parent), signatureBoxes_(signatureBoxes)
{
    setObjectName(ToQ(objectName));
    setWindowTitle(ToQ(caption));
    setModal(true);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setMinimumWidth(260);
    EdCerca = new QLineEdit(this);
    EdCerca->setObjectName(ToQ(searchName));
    EdCerca->installEventFilter(this);

    auto* rows = new QGridLayout();
    for (int k = 0; k < kRowsPerPage; ++k) {
        const std::string n = std::to_string(k + 1);
        SB[k] = Button(this, ("SB" + n).c_str(), (n + "\xB0").c_str());
        SB[k]->setMaximumWidth(40);
        rows->addWidget(SB[k], k, 0);
        EdP[k] = Box(this, "EdP" + n, 200);
        EdP[k]->installEventFilter(this);
        rows->addWidget(EdP[k], k, 1);
        int column = 2;
        if (signatureBoxes) {
            EdA[k] = Box(this, "EdA" + n, 150);
            EdS[k] = Box(this, "EdS" + n, 150);
            EdA[k]->installEventFilter(this);
            EdS[k]->installEventFilter(this);
            rows->addWidget(EdA[k], k, column++);
            rows->addWidget(EdS[k], k, column++);
        }
        EdD[k] = Box(this, std::string(fourthName) + n, 260);
        EdD[k]->installEventFilter(this);
        rows->addWidget(EdD[k], k, column);
        const int row = k + 1;
        connect(SB[k], &QPushButton::clicked, this, [this, row] {
            Guarded([&] {
                RowNote(row);
                Render();
            });
        });
    }

    EdHeading = Box(this, headingName, 300);
    Edit1 = Box(this, "Edit1", 90);
    LabNote = new QLabel(ToQ("Note"), this);
    LabNote->setObjectName(QStringLiteral("LabNote"));
    MemoNote = new QPlainTextEdit(this);
    MemoNote->setObjectName(QStringLiteral("MemoNote"));
    MemoNote->setReadOnly(true);
    MemoNote->setMaximumHeight(110);

    list = new QListWidget(this);
    list->setObjectName(QStringLiteral("list"));
    list->hide();
    MemoZoom = new QTextEdit(this);
    MemoZoom->setObjectName(QStringLiteral("MemoZoom"));
    MemoZoom->setReadOnly(true);
    // Coloured as a pop-up, so that it does not read as one more row box.
    QPalette zoomColours = MemoZoom->palette();
    zoomColours.setColor(QPalette::Base, zoomColours.color(QPalette::ToolTipBase));
    zoomColours.setColor(QPalette::Text, zoomColours.color(QPalette::ToolTipText));
    MemoZoom->setPalette(zoomColours);
    MemoZoom->hide();
    MemoZoom->viewport()->installEventFilter(this);
    MemoInfo = new QPlainTextEdit(this);
    MemoInfo->setObjectName(QStringLiteral("MemoInfo"));
    MemoInfo->setReadOnly(true);
    MemoInfo->setPlainText(ToQ(infoText));
    MemoInfo->setGeometry(280, 40, 520, 260);
    MemoInfo->hide();
    MemoInfo->viewport()->installEventFilter(this);

    BBAnticipo = Button(this, "BBAnticipo", "<< Precedenti");
    BBseguito = Button(this, "BBseguito", "Seguenti >>");
    BitBtn1 = Button(this, "BitBtn1", "Pulisci");
    BitBtn2 = Button(this, "BitBtn2", "Informazioni On/Off");
    BitBtnRitorna = Button(this, "BitBtnRitorna", "&Ritorna al Menu");

    auto* left = new QVBoxLayout();
    left->addWidget(new QLabel(ToQ("Cerca"), this));
    left->addWidget(EdCerca);
    left->addWidget(ListBox1, 1);
    auto* head = new QHBoxLayout();
    head->addWidget(EdHeading, 1);
    head->addWidget(Edit1);
    Extras = new QVBoxLayout();
    auto* centre = new QVBoxLayout();
    centre->addLayout(head);
    centre->addLayout(rows);
    centre->addLayout(Extras);
    centre->addWidget(LabNote);
    centre->addWidget(MemoNote);
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(BBAnticipo);
    buttons->addWidget(BBseguito);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtnRitorna);
    centre->addLayout(buttons);
    auto* root = new QHBoxLayout(this);
    root->addLayout(left);
    root->addLayout(centre, 1);

    // One search per click (an activation as well would run it twice).
    connect(ListBox1, &QListWidget::itemClicked, this, [this] { Guarded([this] { ListBox1Click(); }); });
    // A page change clears the rows, and with them the pop-ups over them.
    connect(BBseguito, &QPushButton::clicked, this, [this] {
        Guarded([this] {
            HidePopups();
            NextPage();
            Render();
        });
    });
    connect(BBAnticipo, &QPushButton::clicked, this, [this] {
        Guarded([this] {
            HidePopups();
            PreviousPage();
            Render();
        });
    });
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        Guarded([this] {
            HidePopups();
            Logic().Clear();
            Render();
        });
    });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn2Click(); }); });
    connect(list, &QListWidget::itemClicked, list, &QWidget::hide);
    connect(BitBtnRitorna, &QPushButton::clicked, this, &QDialog::accept);
}

void TFoConsulta::FillList(std::vector<std::string> items)
{
    items_ = std::move(items);
    ListBox1->clear();
    for (const std::string& s : items_)
        ListBox1->addItem(ToQ(s));
}

void TFoConsulta::ListBox1Click()
{
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= static_cast<int>(items_.size()))
        return;
    HidePopups();
    MemoInfo->hide();
    Search(items_[static_cast<std::size_t>(row)]);
    Render();
}

void TFoConsulta::EdCercaKeyPress(char key)
{
    HidePopups();
    const int line = Logic().TypeKey(items_, key);
    EdCerca->setText(ToQ(Logic().View().searchText));
    if (line >= 0)
        ListBox1->setCurrentRow(line);
}

void TFoConsulta::BitBtn2Click()
{
    HidePopups();
    MemoInfo->setVisible(!MemoInfo->isVisible());
    if (MemoInfo->isVisible())
        MemoInfo->raise();
}

void TFoConsulta::HidePopups()
{
    list->hide();
    MemoZoom->hide();
    HideZoom();
}

QRect TFoConsulta::PopupArea() const
{
    constexpr int kMargin = 4;
    // The part of the window that is on its screen (all of it, once the
    // window is placed inside the screen).
    QRect area = rect();
    if (const QScreen* s = screen()) {
        const QRect screenArea = s->availableGeometry();
        const QRect onScreen = area & QRect(mapFromGlobal(screenArea.topLeft()), screenArea.size());
        if (onScreen.width() > 2 * kMargin && onScreen.height() > 2 * kMargin)
            area = onScreen;
    }
    return area.adjusted(kMargin, kMargin, -kMargin, -kMargin);
}

void TFoConsulta::PlaceOver(QWidget* popup, const QWidget* anchor, QSize size)
{
    const QRect inside = PopupArea();
    size = size.boundedTo(inside.size());
    QPoint at = anchor->mapTo(this, QPoint(0, 0));
    at.setX(std::clamp(at.x(), inside.left(), inside.right() + 1 - size.width()));
    at.setY(std::clamp(at.y(), inside.top(), inside.bottom() + 1 - size.height()));
    popup->setGeometry(QRect(at, size));
    popup->show();
    popup->raise();
}

void TFoConsulta::SignaturePopup(QLineEdit* box, bool markPrimary)
{
    const std::vector<std::string> words = SignaturePopupLines(FromQ(box->text()), markPrimary);
    list->clear();
    for (const std::string& w : words)
        list->addItem(ToQ(w));
    if (words.empty()) {
        list->hide();
        return;
    }
    // 20 pixels a word, or more when the font needs it: every word shown
    // whole, with no scroll bar.
    const int n = static_cast<int>(words.size());
    const int frame = 2 * list->frameWidth();
    const int height = std::max(20 * n, n * list->sizeHintForRow(0) + frame);
    const int width = std::max(box->width(), list->sizeHintForColumn(0) + frame + 8);
    PlaceOver(list, box, QSize(width, height));
}

void TFoConsulta::ZoomBox(QLineEdit* box)
{
    const QString text = box->text();
    if (text.isEmpty())
        return;
    MemoInfo->hide();
    list->hide();
    MemoZoom->setPlainText(text);
    // Over the box, as wide as the text needs up to 560 pixels or the room
    // right of the box (never narrower than the box), and as high as the
    // text laid out at that width: the whole text shows without scrolling
    // wherever the window leaves room for it. The height is measured on a
    // copy of the document (the zoom's own is laid out anew as it resizes).
    const int frame = 2 * MemoZoom->frameWidth();
    QTextDocument layout;
    layout.setDefaultFont(MemoZoom->document()->defaultFont());
    layout.setDefaultTextOption(MemoZoom->document()->defaultTextOption());
    layout.setDocumentMargin(MemoZoom->document()->documentMargin());
    layout.setPlainText(text);
    const int margins = frame + 2 * static_cast<int>(layout.documentMargin()) + 2;
    const int room = PopupArea().right() + 1 - box->mapTo(this, QPoint(0, 0)).x();
    const int needed = QFontMetrics(MemoZoom->font()).horizontalAdvance(text) + margins;
    const int width = std::max(box->width(), std::min({needed, 560, room}));
    layout.setTextWidth(width - frame);
    const int height = static_cast<int>(std::ceil(layout.size().height())) + frame;
    PlaceOver(MemoZoom, box, QSize(width, height));
    MemoZoom->verticalScrollBar()->setValue(0);
}

void TFoConsulta::Render()
{
    const ConsultationView& v = Logic().View();
    for (std::size_t k = 0; k < static_cast<std::size_t>(kRowsPerPage); ++k) {
        const ConsultationRow row = k < v.rows.size() ? v.rows[k] : ConsultationRow {};
        EdP[k]->setText(ToQ(row.name));
        if (EdA[k]) {
            EdA[k]->setText(ToQ(row.planets));
            EdS[k]->setText(ToQ(row.signs));
        }
        EdD[k]->setText(ToQ(row.fourth));
        EdP[k]->setCursorPosition(0);
        EdD[k]->setCursorPosition(0);
    }
    EdHeading->setText(ToQ(v.heading));
    Edit1->setText(ToQ(v.indicator.text));
    if (v.indicator.colour != 0)
        SetEditColours(Edit1, static_cast<int>(v.indicator.colour), kColourBlack);
    LabNote->setText(ToQ(v.note.label));
    MemoNote->setPlainText(ToQ(v.note.text));
    EdCerca->setText(ToQ(v.searchText));
}

bool TFoConsulta::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == EdCerca) {
        if (type == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const std::string typed = FromQ(key->text());
            // Enter, the deletion key and characters go to the search; cursor,
            // function and control keys (Tab, Esc, Ctrl+letter) keep their
            // usual meaning.
            const bool searchKey = typed.size() == 1 && (typed[0] == '\r' || typed[0] == '\b');
            const bool printable = std::all_of(typed.begin(), typed.end(), [](char c) {
                const auto u = static_cast<unsigned char>(c);
                return u >= 0x20 && u != 0x7F;
            });
            if (typed.empty() || (!searchKey && !printable))
                return false;
            Guarded([&] {
                for (char c : typed)
                    EdCercaKeyPress(c);
            });
            return true;
        }
        if (type == QEvent::MouseButtonPress) {
            HidePopups();
            Logic().ClearSearchText();
            EdCerca->clear();
        }
        return false;
    }
    if (watched == MemoInfo->viewport() && type == QEvent::MouseButtonDblClick) {
        MemoInfo->hide();
        return true;
    }
    if (watched == MemoZoom->viewport() && type == QEvent::MouseButtonPress) {
        MemoZoom->hide();
        return true;
    }
    for (int k = 0; k < kRowsPerPage; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (signatureBoxes_ && (watched == EdA[i] || watched == EdS[i])) {
            if (type == QEvent::MouseButtonDblClick) {
                Guarded([&] { SignaturePopup(static_cast<QLineEdit*>(watched), watched == EdA[i]); });
                return true;
            }
            if (type == QEvent::MouseButtonPress && watched == EdA[i])
                list->hide();
        }
        if ((watched == EdP[i] || watched == EdD[i]) && type == QEvent::MouseButtonDblClick) {
            Guarded([&] { ZoomBox(static_cast<QLineEdit*>(watched)); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
