#pragma once
// "Nächste/Vorherige Überschreitung" and the exceedance list's choice: the
// exceedance's page is shown in the chart window and its station becomes the
// newest picked station. The rules are the core's (chart/ExceedanceNavigation.h);
// this only remembers which exceedance was reached last, so that several at
// one station are visited in turn.

#include <QString>

#include <memory>

namespace kurvex {

class CKurvexDoc;
class CKurvexView;

class ExceedanceNavigator {
public:
    // One step from the newest picked station when it lies on the page on
    // screen, else from the page's start. Answers the status text: the
    // exceedance reached, or that there is none in that direction.
    QString Step(CKurvexView& view, bool forward);
    // Shows exceedance i (in run direction) as a step to it does.
    QString Show(CKurvexView& view, int index);
    // The exceedance the last step or choice reached in this document, -1 when none.
    int LastIndex(const CKurvexDoc& doc) const;

private:
    std::weak_ptr<CKurvexDoc> m_lastDoc;
    int m_lastIndex = -1;
};

}  // namespace kurvex
