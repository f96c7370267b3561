#pragma once
// The windows of a document follow its changes through this interface: the
// document tells each of its observers what changed, whoever changed it, so a
// dialog or another window need not know which windows show the run.

namespace kurvex {

enum class DocumentChange {
    PickedStations,    // a station was picked
    Evaluation,        // sections, exceedances or their remarks were edited
    ExceedancePages,   // printed pages numbered the exceedances anew
};

class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    virtual void DocumentChanged(DocumentChange change) = 0;
};

}  // namespace kurvex
