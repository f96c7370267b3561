#pragma once
// An open interaction that remembers the answer to the first-load question.
// The side file is never written, so a run opened again in the same session
// (reloaded from disk) would ask again; with the remembered answer it is
// adjusted the same way without asking.

#include "document/OpenInteraction.h"

#include <memory>
#include <optional>

namespace kurvex {

class RememberedAnswers : public OpenInteraction {
public:
    // memory: where the answer of this file is kept between opens.
    RememberedAnswers(std::unique_ptr<OpenInteraction> inner, std::optional<FirstLoadAnswer>& memory)
        : m_inner(std::move(inner)), m_memory(memory)
    {
    }

    // Ask even when an answer is remembered (a new open), and remember the new one.
    void AskAgain() { m_askAgain = true; }

    void ShowWaitWindow() override { m_inner->ShowWaitWindow(); }
    void CloseWaitWindow() override { m_inner->CloseWaitWindow(); }
    void ShowProgress(int percent) override { m_inner->ShowProgress(percent); }
    void ShowMessage(const UserMessage& message) override { m_inner->ShowMessage(message); }
    FirstLoadAnswer AskFirstLoadAdjustments(int32_t fileStart, int32_t fileEnd) override
    {
        if (m_memory && !m_askAgain)
            return *m_memory;
        m_memory = m_inner->AskFirstLoadAdjustments(fileStart, fileEnd);
        return *m_memory;
    }

private:
    std::unique_ptr<OpenInteraction> m_inner;
    std::optional<FirstLoadAnswer>& m_memory;
    bool m_askAgain = false;
};

}  // namespace kurvex
