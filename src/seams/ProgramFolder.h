#pragma once
// The program folder: the folder of the running executable, where every fixed file lives
// (dataly.dat, Jotterly.ini, readme.txt, skin/, Alerting.wav...). main() finds it once with
// ProgramFolder::ofRunningExecutable() and passes it on; nothing reads it from a global, so tests
// hand in a temporary folder instead.

#include <QString>

namespace qj {

class ProgramFolder {
public:
    ProgramFolder() = default;
    // `folder` may end in '/' or not; it is kept as an absolute path ending in '/'.
    explicit ProgramFolder(const QString& folder);

    // The folder of the running executable (QCoreApplication::applicationDirPath); needs the
    // application object.
    static ProgramFolder ofRunningExecutable();

    // Absolute path ending in '/'.
    const QString& path() const { return path_; }
    // Absolute path of a file in the folder: path() + name.
    QString filePath(const QString& name) const { return path_ + name; }
    bool isEmpty() const { return path_.isEmpty(); }

private:
    QString path_;
};

} // namespace qj
