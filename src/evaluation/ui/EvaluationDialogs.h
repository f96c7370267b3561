#pragma once
// The evaluation dialogs as the chart window opens them. Each runs modally and
// returns when it is closed; the caller repaints the chart afterwards.

class QWidget;

namespace kurvex {

class CKurvexDoc;
class SettingsStore;

// "Auswertung anzeigen/bearbeiten"
void ShowEvaluationDialog(QWidget* parent, CKurvexDoc& doc, SettingsStore& settings);
// "Streckenabschnitte bearbeiten": true when OK applied the edited sections (doc.ApplySections).
bool ShowSectionsDialog(QWidget* parent, CKurvexDoc& doc, SettingsStore& settings);
// Alt+click on an excluded range: index into doc.ExcludedRanges(); nothing for an index outside it.
void ShowExcludedRangeDialog(QWidget* parent, const CKurvexDoc& doc, int rangeIndex);

}  // namespace kurvex
