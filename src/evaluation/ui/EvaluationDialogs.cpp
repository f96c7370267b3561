#include "evaluation/ui/EvaluationDialogs.h"

#include "document/KurvexDoc.h"
#include "evaluation/ui/AuswertungDlg.h"
#include "evaluation/ui/BereichOhneErkennungDlg.h"
#include "evaluation/ui/BreitenaendernDlg.h"

namespace kurvex {

void ShowEvaluationDialog(QWidget* parent, CKurvexDoc& doc, SettingsStore& settings)
{
    CAuswertungDlg dialog(doc, settings, parent);
    dialog.exec();
    // The list may have changed what counts; the windows show it.
    doc.NotifyChanged(DocumentChange::Evaluation);
}

bool ShowSectionsDialog(QWidget* parent, CKurvexDoc& doc, SettingsStore& settings)
{
    CBreitenaendernDlg dialog(doc, settings, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    doc.ApplySections(dialog.SectionsText());
    return true;
}

void ShowExcludedRangeDialog(QWidget* parent, const CKurvexDoc& doc, int rangeIndex)
{
    const auto& ranges = doc.ExcludedRanges();
    if (rangeIndex < 0 || static_cast<size_t>(rangeIndex) >= ranges.size())
        return;
    CBereichOhneErkennungDlg dialog(ranges[static_cast<size_t>(rangeIndex)], doc.Run().IsAscending(), parent);
    dialog.exec();
}

}  // namespace kurvex
