#pragma once
// The main window with the local central laboratory behind it, a workspace of
// its own, and the two local faults: a disk that takes no more bytes (the file
// size limit of the process) and a workspace that takes no new file (mounted
// read-only over itself, which binds root as well, or by its folders' modes).
#include <QString>
#include <map>
#include <memory>
#include <string>

#include "tests/support/CentralLab.h"
#include "tests/support/LabWindow.h"
#include "tests/support/PromptRecorder.h"

namespace orv::test {

class FaultBench {
public:
    explicit FaultBench(CentralLab& lab);
    ~FaultBench();

    CentralLab& lab;
    std::unique_ptr<PromptRecorder> prompts;

    QString Root() const;
    // Creates and shows the windows (the start-up timer has run), with every gate closed.
    void Open();
    void Close();
    // The start-up sequence: the server check, then the account refresh that closes its session.
    void StartUp();
    // Writes a workspace file as an earlier run left it.
    void Put(const QString& name, const std::string& bytes) const;
    void PutServerCopy(const QString& name, const std::string& served) const;
    std::string Served(const std::string& relative) const;

    // Every file of the workspace, hidden ones included, with its bytes.
    std::map<std::string, std::string> Snapshot() const;

    // Local faults; each undoes itself when switched off (or at destruction).
    void DiskFull(bool on);
    // A read-only mount of the workspace over itself, or, for a user who is not
    // root and may not mount, the workspace and Desktop folders' modes; false
    // when neither can hold (root without CAP_SYS_ADMIN).
    bool ReadOnly(bool on);

private:
    LabWindow window_;
    bool diskFull_ = false;
    bool readOnly_ = false;
    bool mounted_ = false;  // read-only by a mount (else by the folders' modes)
};

}  // namespace orv::test
