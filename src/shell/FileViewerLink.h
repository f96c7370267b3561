#pragma once
// The chart and the file viewer follow each other: a station picked on the
// chart of the active run selects the file line of the point nearest to it;
// a data line chosen in the viewer (double-click, Return) shows that point's
// page on the chart and picks its station.

#include "document/DocumentObserver.h"

#include <QObject>
#include <QPointer>

#include <memory>

namespace kurvex {

class CKurvexDoc;
class CKurvexView;
class CNMDateiDlg;

class CFileViewerLink : public QObject, public DocumentObserver {
    Q_OBJECT

public:
    CFileViewerLink(CNMDateiDlg& viewer, QObject* parent);
    ~CFileViewerLink() override;

    // The chart window whose run the viewer shows (null: none).
    void Follow(CKurvexView* view);
    void DocumentChanged(DocumentChange change) override;

private:
    void ShowLineOfNewestPick();
    void OnLineChosen(int line);

    CNMDateiDlg& m_viewer;
    QPointer<CKurvexView> m_view;
    // Kept while observed: the last window of a run may close before the link hears of it.
    std::shared_ptr<CKurvexDoc> m_doc;
    // The line the user chose, while its point is picked: the pick leaves the selection alone.
    int m_chosenLine = -1;
};

}  // namespace kurvex
