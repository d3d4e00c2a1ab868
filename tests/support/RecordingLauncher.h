#pragma once
// A launcher that starts nothing and records what it was asked to start.

#include "seams/Launcher.h"

#include <vector>

namespace qj::test {

struct LaunchCall {
    enum Kind { Document, Url, Program, CommandLine, RunToEnd } kind;
    QString target;        // document path, URL text, program or whole command line
    QStringList arguments; // programs
    QString workingFolder; // programs
};

class RecordingLauncher final : public Launcher {
public:
    bool openDocument(const QString& path) override { return add({LaunchCall::Document, path, {}, {}}); }
    bool openUrl(const QUrl& url) override { return add({LaunchCall::Url, url.toString(), {}, {}}); }
    bool startProgram(const QString& program, const QStringList& arguments,
                      const QString& workingFolder) override {
        return add({LaunchCall::Program, program, arguments, workingFolder});
    }
    bool runCommandLine(const QString& commandLine) override {
        return add({LaunchCall::CommandLine, commandLine, {}, {}});
    }
    bool runToEnd(const QString& program, const QStringList& arguments) override {
        return add({LaunchCall::RunToEnd, program, arguments, {}});
    }

    const std::vector<LaunchCall>& calls() const { return calls_; }
    void clear() { calls_.clear(); }
    // What the next calls report (true: "started").
    void setSucceeds(bool succeeds) { succeeds_ = succeeds; }

private:
    bool add(LaunchCall call) {
        calls_.push_back(std::move(call));
        return succeeds_;
    }
    std::vector<LaunchCall> calls_;
    bool succeeds_ = true;
};

} // namespace qj::test
