#pragma once
// Opening documents in tests without anyone to answer.

#include <string>

#include "document/KurvexDoc.h"
#include "support/TestSupport.h"

namespace kurvex::test {

// Answers the first-load question with OK and ignores the messages.
class OkInteraction : public OpenInteraction {
public:
    void ShowMessage(const UserMessage&) override {}
    FirstLoadAnswer AskFirstLoadAdjustments(int32_t, int32_t) override { return {}; }
};

// Opens a file of samples/ with the built-in settings.
inline OpenResult OpenSample(CKurvexDoc& doc, const std::string& name)
{
    OkInteraction interaction;
    return doc.Open(FixturePath("../samples/" + name), CEinstellungen(), interaction);
}

}  // namespace kurvex::test
