#include "evaluation/DocumentReport.h"

#include "document/KurvexDoc.h"

namespace kurvex {

CUeberschreitungsProtokoll RebuildDocumentReport(CKurvexDoc& doc)
{
    CUeberschreitungsProtokoll report;
    report.Build(doc.Exceedances(), doc.State(), doc.ExcludedRanges());
    doc.SetReportLines(report.Lines());
    return report;
}

}  // namespace kurvex
