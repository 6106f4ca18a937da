#include "kb/UnSintom3.h"

#include "kb/PlantsBySignature.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QPushButton* NamedButton(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(ToQ(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TPlantTableForm::TPlantTableForm(const char* objectName, const char* caption, const char* groupCaption,
                                 const std::vector<std::string>& words, bool bySign, QWidget* parent)
    : QDialog(parent), bySign_(bySign), word_(kAnyWord)
{
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(ToQ(caption));
    setModal(true);

    auto* group = new QGroupBox(ToQ(groupCaption), this);
    auto* grid = new QGridLayout(group);
    std::vector<std::string> all = words;
    all.push_back(kAnyWord);
    for (std::size_t i = 0; i < all.size(); ++i) {
        auto* rb = new QRadioButton(ToQ(all[i]), group);
        rb->setObjectName(ToQ("RB" + all[i]));
        grid->addWidget(rb, static_cast<int>(i % 7), static_cast<int>(i / 7));
        RBparole.push_back(rb);
        const std::string word = all[i];
        connect(rb, &QRadioButton::clicked, this, [this, word] { Guarded([&] { WordClick(word); }); });
    }
    RBparole.back()->setChecked(true);
    EdScelta = new QLineEdit(ToQ(kAnyWord), this);
    EdScelta->setObjectName(QStringLiteral("EdScelta"));
    EdScelta->setReadOnly(true);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setMinimumWidth(220);
    EdTot = new QLineEdit(this);
    EdTot->setObjectName(QStringLiteral("EdTot"));
    EdTot->setReadOnly(true);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setMinimumWidth(420);
    BitBtnRitorna = NamedButton(this, "BitBtnRitorna", "&Ritorna al Menu");

    auto* left = new QVBoxLayout();
    left->addWidget(group);
    left->addWidget(EdScelta);
    left->addWidget(new QLabel(ToQ("Piante (clic per i sintomi curati)"), this));
    left->addWidget(ListBox1, 1);
    auto* tot = new QHBoxLayout();
    tot->addWidget(new QLabel(ToQ("Totale piante"), this));
    tot->addWidget(EdTot);
    left->addLayout(tot);
    auto* right = new QVBoxLayout();
    right->addWidget(new QLabel(ToQ("Sintomi curati dalla pianta"), this));
    right->addWidget(Memo1, 1);
    bottomRow_ = new QHBoxLayout();
    bottomRow_->addStretch();
    bottomRow_->addWidget(BitBtnRitorna);
    right->addLayout(bottomRow_);
    auto* root = new QHBoxLayout(this);
    root->addLayout(left);
    root->addLayout(right, 1);

    connect(ListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Guarded([&] { ListBox1Click(item); }); });
    connect(BitBtnRitorna, &QPushButton::clicked, this, &QDialog::accept);
}

void TPlantTableForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Guarded([this] { FillPlants(); });
}

void TPlantTableForm::WordClick(const std::string& word)
{
    word_ = word;
    EdScelta->setText(ToQ(word));
    FillPlants();
}

void TPlantTableForm::FillPlants()
{
    ListBox1->clear();
    Memo1->clear();
    EdTot->setText(QStringLiteral("0"));
    const std::vector<std::string> plants = PlantsFor(ReadPlantEntries(), word_, bySign_);
    for (const std::string& p : plants)
        ListBox1->addItem(ToQ(p));
    EdTot->setText(ToQ(std::to_string(plants.size())));
}

void TPlantTableForm::ListBox1Click(QListWidgetItem* item)
{
    Memo1->clear();
    if (!item)
        return;
    const std::string plant = FromQ(item->text());
    Memo1->appendPlainText(ToQ(plant + " - " + word_));
    for (const PlantTableRecord& r : EntriesOfPlant(ReadPlantEntries(), plant, word_, bySign_)) {
        Memo1->appendPlainText(QString());
        for (const std::string& line : PlantEntryLines(r))
            Memo1->appendPlainText(ToQ(line));
    }
}

TFoSintom3::TFoSintom3(QWidget* parent)
    : TPlantTableForm("FoSintom3", "Piante per Pianeta", "Pianeta", PlantPlanetWords(), false, parent)
{
}
