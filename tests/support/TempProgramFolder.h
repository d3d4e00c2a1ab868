#pragma once
// A fresh program folder in a temporary directory, removed at the end of the test. It starts empty;
// the test copies in what the installed program would find beside it.
//
//     TempProgramFolder dir;
//     ASSERT_TRUE(dir.copyDataFile());   // the empty dataly.dat the build ships
//     ASSERT_TRUE(dir.copyReadme());     // the guide readme.txt
//     dir.writeIni(QStringLiteral("[Info]\r\nCurTb=帮助\r\n"));

#include "seams/ProgramFolder.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace qj::test {

class TempProgramFolder {
public:
    TempProgramFolder();

    bool isValid() const { return dir_.isValid(); }
    // Absolute path ending in '/'.
    QString path() const { return folder_.path(); }
    QString filePath(const QString& name) const { return folder_.filePath(name); }
    const ProgramFolder& folder() const { return folder_; }

    // Copies of the files the build places in its bin folder. They fail the test (and return
    // false) when the build has not produced them.
    bool copyDataFile() { return copyFromBuild(QStringLiteral("dataly.dat")); }
    bool copyReadme() { return copyFromBuild(QStringLiteral("readme.txt")); }
    bool copyFromBuild(const QString& name);
    // Copy any file in under `name`.
    bool copyIn(const QString& source, const QString& name);

    // Write bytes to a file of the folder (the settings file, for instance) / read them back.
    bool writeFile(const QString& name, const QByteArray& bytes);
    QByteArray readFile(const QString& name) const;
    bool exists(const QString& name) const;
    // The settings file "Jotterly.ini", written in GBK as the program writes it (writeIniUtf8:
    // in UTF-8, as a user's editor might). readIniText decodes either.
    bool writeIni(const QString& text);
    bool writeIniUtf8(const QString& text);
    QByteArray readIni() const { return readFile(QStringLiteral("Jotterly.ini")); }
    QString readIniText() const;

    // The folder where the build puts the programs and the files shipped beside them.
    static QString buildBinFolder();

private:
    QTemporaryDir dir_;
    ProgramFolder folder_;
};

} // namespace qj::test
