#include "shell/FileViewerLink.h"

#include "chart/ui/KurvexView.h"
#include "common/Numbers.h"
#include "document/KurvexDoc.h"
#include "measurement/PointLines.h"
#include "measurement/ui/FileTextModel.h"
#include "measurement/ui/NMDateiDlg.h"

namespace kurvex {

CFileViewerLink::CFileViewerLink(CNMDateiDlg& viewer, QObject* parent) : QObject(parent), m_viewer(viewer)
{
    connect(&m_viewer, &CNMDateiDlg::lineChosen, this, &CFileViewerLink::OnLineChosen);
}

CFileViewerLink::~CFileViewerLink()
{
    if (m_doc)
        m_doc->RemoveObserver(this);
}

void CFileViewerLink::Follow(CKurvexView* view)
{
    m_view = view;
    std::shared_ptr<CKurvexDoc> doc = view ? view->SharedDocument() : nullptr;
    if (doc == m_doc)
        return;
    if (m_doc)
        m_doc->RemoveObserver(this);
    m_doc = std::move(doc);
    if (m_doc)
        m_doc->AddObserver(this);
}

void CFileViewerLink::DocumentChanged(DocumentChange change)
{
    if (change == DocumentChange::PickedStations && m_chosenLine < 0)
        ShowLineOfNewestPick();
}

void CFileViewerLink::ShowLineOfNewestPick()
{
    const std::string newest = m_doc->PickedStations().Get(0);
    if (newest.empty() || m_viewer.Model().Document() != m_doc)
        return;
    const CMessFahrtDaten& run = m_doc->Run();
    const std::optional<int> point = NearestWindowPoint(run, ToInt(newest));
    if (!point)
        return;
    if (const std::optional<size_t> line = run.FileLineOfWindowPoint(*point))
        m_viewer.ShowLine(static_cast<int>(*line));
}

void CFileViewerLink::OnLineChosen(int line)
{
    if (!m_view || !m_doc || line < 0)
        return;
    const std::optional<int> point = m_doc->Run().WindowPointOfFileLine(static_cast<size_t>(line));
    if (!point)
        return;
    m_chosenLine = line;
    m_view->GoToStation(m_doc->Run().GetStation(*point));
    m_chosenLine = -1;
}

}  // namespace kurvex
