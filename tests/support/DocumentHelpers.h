#pragma once
// Opening documents in tests without anyone to answer.

#include <string>
#include <vector>

#include "document/KurvexDoc.h"
#include "support/TestSupport.h"

namespace kurvex::test {

// Answers the open like a user who clicks OK, or gives the answer set
// beforehand, and keeps what the open showed and asked.
class ScriptedInteraction : public OpenInteraction {
public:
    FirstLoadAnswer answer;
    int questions = 0;
    int32_t askedStart = 0;
    int32_t askedEnd = 0;
    int waitWindows = 0;
    std::vector<UserMessage> shown;
    std::vector<int> progress;  // with the wait window open each time, else -1

    void ShowWaitWindow() override { ++waitWindows; }
    void CloseWaitWindow() override { --waitWindows; }
    void ShowProgress(int percent) override { progress.push_back(waitWindows == 1 ? percent : -1); }
    void ShowMessage(const UserMessage& message) override { shown.push_back(message); }
    FirstLoadAnswer AskFirstLoadAdjustments(int32_t fileStart, int32_t fileEnd) override
    {
        ++questions;
        askedStart = fileStart;
        askedEnd = fileEnd;
        return answer;
    }
};

// Hands every call on to an interaction that outlives it, for code that makes
// a fresh interaction for each open.
class ForwardingInteraction : public OpenInteraction {
public:
    explicit ForwardingInteraction(OpenInteraction& target) : m_target(target) {}
    void ShowWaitWindow() override { m_target.ShowWaitWindow(); }
    void CloseWaitWindow() override { m_target.CloseWaitWindow(); }
    void ShowProgress(int percent) override { m_target.ShowProgress(percent); }
    void ShowMessage(const UserMessage& message) override { m_target.ShowMessage(message); }
    FirstLoadAnswer AskFirstLoadAdjustments(int32_t fileStart, int32_t fileEnd) override
    {
        return m_target.AskFirstLoadAdjustments(fileStart, fileEnd);
    }

private:
    OpenInteraction& m_target;
};

// Opens a file of samples/ with the built-in settings.
inline OpenResult OpenSample(CKurvexDoc& doc, const std::string& name)
{
    ScriptedInteraction interaction;
    return doc.Open(SamplePath(name), CEinstellungen(), interaction);
}

}  // namespace kurvex::test
