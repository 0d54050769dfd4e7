#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// Where and how a case's jets are computed: the working directory the model
// program runs in, the names of the three files it exchanges with it, the
// program itself and how long a run may take.
//
// A run job owns its settings, shared with whoever keeps them between runs
// of one case (the GUI's run controller). The working directory is a
// private directory made for these settings (0700, under $XDG_RUNTIME_DIR
// or the temporary directory) and removed with them: two cases, or two
// running copies of the program, never read each other's results, and
// nothing is written into the directory the program was started from.
#include <memory>
#include <string>

class QTemporaryDir;

class CRunSettings {
public:
    CRunSettings();
    ~CRunSettings();
    CRunSettings(const CRunSettings&) = delete;
    CRunSettings& operator=(const CRunSettings&) = delete;

    // Makes the private working directory unless one is set already; false
    // when it cannot be made.
    bool EnsureWorkDir();
    // working directory + "/" + name
    std::string PathOf(const std::string& name) const;
    std::string InputPath() const { return PathOf(m_strInputName); }
    std::string SummaryPath() const { return PathOf(m_strSummaryName); }
    std::string TrajectoryPath() const { return PathOf(m_strTrajectoryName); }

    // The model program: $PLUMEX_MODEL when set, else "mardex2k" beside the
    // running program (the build puts them together), else "mardex2k" on
    // the search path.
    static std::string DefaultModelProgram();

    std::string m_strWorkDir;  // empty until EnsureWorkDir (or set by the caller)
    std::string m_strInputName = "UDF";
    std::string m_strSummaryName = "Suspend";
    std::string m_strTrajectoryName = "Plxdata";
    std::string m_strModelProgram;
    int m_nMaxWaits = 1000;  // the model gets m_nMaxWaits x m_nWaitMs ms
    int m_nWaitMs = 100;

private:
    std::unique_ptr<QTemporaryDir> m_pOwnDir;
};
