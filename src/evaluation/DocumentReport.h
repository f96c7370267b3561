#pragma once
// The evaluation report of an open document.

#include "evaluation/UeberschreitungsProtokoll.h"

namespace kurvex {

class CKurvexDoc;

// Builds the report from the document's exceedances, sections and excluded
// ranges and keeps its lines in the document; called before every evaluation
// print or preview, since the evaluation may have changed since the last one.
CUeberschreitungsProtokoll RebuildDocumentReport(CKurvexDoc& doc);

}  // namespace kurvex
