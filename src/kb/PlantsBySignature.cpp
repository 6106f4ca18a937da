#include "kb/PlantsBySignature.h"

#include "kb/ListOrder.h"
#include "platform/Errors.h"
#include "platform/RecordFile.h"

#include <algorithm>

const std::vector<std::string>& PlantPlanetWords()
{
    static const std::vector<std::string> words{"Sole", "Luna", "Mercurio", "Venere", "Marte", "Giove", "Saturno"};
    return words;
}

const std::vector<std::string>& PlantSignWords()
{
    static const std::vector<std::string> words{"Ariete",  "Toro",     "Gemelli",    "Cancro",
                                                "Leone",   "Vergine",  "Bilancia",   "Scorpione",
                                                "Sagittario", "Capricorno", "Acquario", "Pesci"};
    return words;
}

std::vector<PlantTableRecord> ReadPlantEntries()
{
    const RecordFile file(kPlantTableFile, kPlantTableRecordSize);
    if (file.Exists() && file.Damaged())
        throw UserError("La tabella delle piante (OpzioneS\\DataStf.rnd) \xE8 danneggiata: la sua lunghezza non "
                        "\xE8 un numero intero di record. Ricrearla con \"Crea Database\".");
    const std::vector<std::string> records = file.ReadAll();
    std::vector<PlantTableRecord> entries;
    for (std::size_t i = 1; i < records.size(); ++i)
        entries.push_back(DecodePlantTable(records[i]));
    return entries;
}

bool PlantMatches(const PlantTableRecord& r, std::string_view word, bool bySign)
{
    const std::string& field = bySign ? r.Sign : r.Planet;
    return word == kAnyWord || field.find(kAnyWord) != std::string::npos ||
           (!word.empty() && field.find(word) != std::string::npos);
}

std::vector<std::string> PlantsFor(const std::vector<PlantTableRecord>& entries, std::string_view word, bool bySign)
{
    std::vector<std::string> plants;
    for (const PlantTableRecord& r : entries)
        if (!r.Plant.empty() && PlantMatches(r, word, bySign))
            plants.push_back(r.Plant);
    SortList(plants);
    plants.erase(std::unique(plants.begin(), plants.end()), plants.end());
    return plants;
}

std::vector<PlantTableRecord> EntriesOfPlant(const std::vector<PlantTableRecord>& entries, std::string_view plant,
                                             std::string_view word, bool bySign)
{
    std::vector<PlantTableRecord> out;
    for (const PlantTableRecord& r : entries)
        if (r.Plant == plant && PlantMatches(r, word, bySign))
            out.push_back(r);
    return out;
}

std::vector<std::string> PlantEntryLines(const PlantTableRecord& r)
{
    std::vector<std::string> lines{"= " + r.Symptom};
    const std::pair<const char*, const std::string*> fields[] = {
        {"Pianeta: ", &r.Planet},          {"Segno: ", &r.Sign},
        {"Parte usata: ", &r.PartUsed},    {"Principi attivi: ", &r.Principles},
        {"Propriet\xE0: ", &r.Properties}, {"Rimedio: ", &r.Remedy}};
    for (const auto& [label, text] : fields)
        if (!text->empty())
            lines.push_back(std::string("   ") + label + *text);
    return lines;
}
