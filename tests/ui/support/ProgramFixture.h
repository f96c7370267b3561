#pragma once
// A window test with the whole program started: settings and per-user files in
// a temporary folder, the open's questions answered by a scripted interaction.

#include "shell/KurvexApp.h"
#include "shell/MainFrame.h"
#include "support/DocumentHelpers.h"
#include "ui/support/GuiTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace kurvex::test {

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearSettings();
        ASSERT_TRUE(StartProgram());
    }
    void TearDown() override
    {
        m_app.reset();
        ClearSettings();
    }

    // Starts the program anew over the same folder and settings.
    bool StartProgram()
    {
        m_app.reset();
        StartOptions options;
        options.instanceFolder = m_folder.path();
        options.userFolder = m_folder.path();
        m_app = std::make_unique<CKurvexApp>();
        if (!m_app->InitInstance(options))
            return false;
        Frame().SetInteractionFactory([this](QWidget*) { return std::make_unique<ForwardingInteraction>(m_interaction); });
        return true;
    }

    CMainFrame& Frame() { return *m_app->MainFrame(); }

    QTemporaryDir m_folder;
    ScriptedInteraction m_interaction;
    std::unique_ptr<CKurvexApp> m_app;
};

}  // namespace kurvex::test
