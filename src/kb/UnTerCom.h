#pragma once
// "TERAPIE COMPOSITE": the twin of the multiple-symptom search over the
// therapy repertory. Up to 15 pathologies are copied from the list of the
// repertory's pathologies into the numbered boxes; "Avvia Ricerca" ranks the
// remedies by how many of them they are prescribed for, and a click on a
// remedy shows the posology of each of its pathology-remedy pairs.
#include "kb/UnRicCom.h"

class TFoTerCom : public TCriteriaForm {
    Q_OBJECT
public:
    explicit TFoTerCom(QWidget* parent = nullptr);

protected:
    std::vector<std::string> ActivateLists() override;
    std::vector<RankedRemedy> RunSearch(const std::vector<std::string>& criteria) override;
    SearchDetail RunDetail(const std::string& item, const std::vector<std::string>& criteria) override;
};
