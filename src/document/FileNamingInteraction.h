#pragma once
// An open interaction whose messages name the file they are about, on a line
// of their own below the message: with several files dropped or handed over
// at once, a message alone would not say which one it means.

#include "document/OpenInteraction.h"

#include <string>
#include <utility>

namespace kurvex {

class FileNamingInteraction : public OpenInteraction {
public:
    // filePath: as the user knows it, Windows-1252 like every message text.
    FileNamingInteraction(OpenInteraction& inner, std::string filePath)
        : m_inner(inner), m_filePath(std::move(filePath))
    {
    }

    void ShowWaitWindow() override { m_inner.ShowWaitWindow(); }
    void CloseWaitWindow() override { m_inner.CloseWaitWindow(); }
    void ShowProgress(int percent) override { m_inner.ShowProgress(percent); }
    void ShowMessage(const UserMessage& message) override
    {
        m_inner.ShowMessage({message.icon, message.text + "\n" + m_filePath});
    }
    FirstLoadAnswer AskFirstLoadAdjustments(int32_t fileStart, int32_t fileEnd) override
    {
        return m_inner.AskFirstLoadAdjustments(fileStart, fileEnd);
    }

private:
    OpenInteraction& m_inner;
    std::string m_filePath;
};

}  // namespace kurvex
