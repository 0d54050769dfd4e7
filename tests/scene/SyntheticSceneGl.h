#pragma once
// The set-up the scene's GL tests share: an offscreen context of the given
// size with the fixed state and the viewport, a camera for it, and a
// synthetic case with its jet displays prepared.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "OsMesaContext.h"
#include "SyntheticCase.h"
#include "base/AppState.h"
#include "document/PlumexDoc.h"
#include "gl/GlResources.h"
#include "gl/GlSetup.h"
#include "model/ViewControl.h"
#include "support/ScriptedPrompt.h"

class SyntheticSceneGl : public ::testing::Test {
protected:
    SyntheticSceneGl(int width, int height, int jets, int disks)
        : m_context(width, height), m_nWidth(width), m_nHeight(height), m_nJets(jets), m_nDisks(disks) {}

    void SetUp() override {
        ASSERT_TRUE(m_context.IsValid()) << m_context.Error();
        ApplyFixedGlState();
        glViewport(0, 0, m_nWidth, m_nHeight);
        m_camera.SetWindowSize(m_nWidth, m_nHeight);
        BuildSyntheticCase(m_doc, m_nJets, m_nDisks);
        m_doc.PrepareJetDisplays();
    }

    COsMesaContext m_context;
    CAppState m_app;
    CScriptedPrompt m_prompt;
    CPlumexDoc m_doc{m_app, m_prompt};
    CViewControl m_camera;
    // Declared after the context, so that it releases its names while the
    // context still lives.
    CGlResources m_resources;  // no texture folder: no ambient box

private:
    int m_nWidth, m_nHeight, m_nJets, m_nDisks;
};
