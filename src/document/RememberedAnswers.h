#pragma once
// An open interaction that answers the first-load question from the answers
// remembered for the file's content, and remembers the answer when it has to
// ask. The side file is never written, so a run without one would otherwise
// be asked at every open and every reload.

#include "document/FirstLoadAnswerStore.h"
#include "document/OpenInteraction.h"
#include "measurement/MessFahrtDaten.h"

#include <memory>

namespace kurvex {

class RememberedAnswers : public OpenInteraction {
public:
    // run: the run being opened; the question comes after its file is read,
    // when the run holds the fingerprint of the file's content.
    RememberedAnswers(std::unique_ptr<OpenInteraction> inner, FirstLoadAnswerStore& store, const CMessFahrtDaten& run)
        : m_inner(std::move(inner)), m_store(store), m_run(run)
    {
    }

    OpenInteraction& Inner() { return *m_inner; }

    void ShowWaitWindow() override { m_inner->ShowWaitWindow(); }
    void CloseWaitWindow() override { m_inner->CloseWaitWindow(); }
    void ShowProgress(int percent) override { m_inner->ShowProgress(percent); }
    void ShowMessage(const UserMessage& message) override { m_inner->ShowMessage(message); }
    FirstLoadAnswer AskFirstLoadAdjustments(int32_t fileStart, int32_t fileEnd) override
    {
        const uint64_t fingerprint = m_run.FileFingerprint();
        if (const auto known = m_store.Recall(fingerprint))
            return *known;
        const FirstLoadAnswer answer = m_inner->AskFirstLoadAdjustments(fileStart, fileEnd);
        m_store.Remember(fingerprint, answer);
        return answer;
    }

private:
    std::unique_ptr<OpenInteraction> m_inner;
    FirstLoadAnswerStore& m_store;
    const CMessFahrtDaten& m_run;
};

}  // namespace kurvex
