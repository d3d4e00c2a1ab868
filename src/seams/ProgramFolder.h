#pragma once
// The program folder: where the fixed files are looked up. Its path is the data folder (dataly.dat,
// Jotterly.ini, skin/, the backups' dated folders, the documents the user adds): the folder of the
// running executable for a portable copy, the user's own folder for an installed one (see
// DataFolder.h). The files the program ships (readme.txt, Alerting.wav, documents) are looked for
// in the data folder first, then in the files folder where they were installed. main() makes it
// once and passes it on; nothing reads it from a global, so tests hand in a temporary folder.

#include <QString>

namespace qj {

class ProgramFolder {
public:
    ProgramFolder() = default;
    // `folder` may end in '/' or not; it is kept as an absolute path ending in '/'.
    explicit ProgramFolder(const QString& folder, const QString& filesFolder = QString());

    // The folder of the running executable (QCoreApplication::applicationDirPath); needs the
    // application object.
    static ProgramFolder ofRunningExecutable();

    // Absolute path ending in '/'.
    const QString& path() const { return path_; }
    // Absolute path of a file in the folder: path() + name.
    QString filePath(const QString& name) const { return path_ + name; }
    bool isEmpty() const { return path_.isEmpty(); }

    // Absolute path ending in '/' of the folder where the shipped files lie (the path() when none
    // was given).
    const QString& filesPath() const { return filesPath_; }
    // A shipped file: filePath(name) when it exists, else the one in the files folder when that
    // exists, else filePath(name) (so that a message names the data folder).
    QString findFile(const QString& name) const;

private:
    QString path_;
    QString filesPath_;
};

} // namespace qj
