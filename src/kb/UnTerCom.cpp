#include "kb/UnTerCom.h"

#include "kb/KbRecords.h"
#include "platform/TextFile.h"

#include <QApplication>

TFoTerCom::TFoTerCom(QWidget* parent) : TCriteriaForm("FoTerCom", "TERAPIE COMPOSITE", "Disturbi", parent) {}

std::vector<std::string> TFoTerCom::ActivateLists()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    PrepareCompositeFiles();
    // The pathology list exists once the repertory has been rebuilt.
    return TryReadTextLines(kPathologyListFile).value_or(std::vector<std::string>{});
}

std::vector<RankedRemedy> TFoTerCom::RunSearch(const std::vector<std::string>& criteria)
{
    return CompositeTherapySearch(criteria);
}

SearchDetail TFoTerCom::RunDetail(const std::string& item, const std::vector<std::string>& criteria)
{
    return CompositeTherapyDetail(item, criteria);
}
