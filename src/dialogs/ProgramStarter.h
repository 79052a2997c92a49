#pragma once

#include <QString>

// Finds and starts other programs. The About box starts the system information tool through it;
// the tests give it a stand-in that only records.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // The full path of the executable named name on PATH; empty when there is none.
    virtual QString findExecutable(const QString& name) const = 0;
    // Starts the program at path with no arguments, on its own: the call returns at once and the
    // program outlives this one. False when it could not be started.
    virtual bool startDetached(const QString& path) = 0;
};

// Real programs, as processes of the system.
class ProcessStarter : public ProgramStarter {
public:
    QString findExecutable(const QString& name) const override;
    bool startDetached(const QString& path) override;
};
