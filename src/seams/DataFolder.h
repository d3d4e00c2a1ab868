#pragma once
// Where the user's data lives: the data file, the settings file, the backups' dated folders and the
// documents the user adds. The rule, checked in this order:
//   1. a folder named on the command line (--data-folder DIR) or by the environment variable
//      QINGJIAN_DATA_DIR: that folder ("named");
//   2. a file called "portable" beside the executable, or a dataly.dat there: the executable's own
//      folder ("portable"; a write-protected one opens read-only, as before);
//   3. an installed copy (its files folder <prefix>/share/qingjian exists beside <prefix>/bin) or
//      an executable folder the user cannot write: $XDG_DATA_HOME/qingjian, by default
//      ~/.local/share/qingjian ("installed");
//   4. otherwise the executable's own folder ("portable").
// A named or installed data folder is created and given the empty data file on its first start;
// the program then fills "帮助" from the guide as on a first portable run.

#include "seams/ProgramFolder.h"

#include <QString>

#include <functional>

namespace qj {

enum class DataFolderMode { Portable, Installed, Named };

// What the choice looks at. DataFolderPlace::ofEnvironment fills it for the running program.
struct DataFolderPlace {
    QString executableFolder;
    QString installedFiles;               // <prefix>/share/qingjian of this executable; need not exist
    QString named;                        // the folder asked for by option or environment; empty: none
    QString xdgDataHome;                  // $XDG_DATA_HOME; empty or relative: not set
    QString home;                         // $HOME
    bool executableFolderWritable = true; // can this user create files in executableFolder?

    // The running program's place: `executableFolder`, the environment, and `namedOption` (the
    // --data-folder value, which wins over QINGJIAN_DATA_DIR).
    static DataFolderPlace ofEnvironment(const QString& executableFolder, const QString& namedOption = {});
};

struct DataFolderChoice {
    DataFolderMode mode = DataFolderMode::Portable;
    QString dataFolder;  // absolute, without a trailing '/'
    QString filesFolder; // where the installed files are found when the data folder lacks them

    ProgramFolder folder() const { return ProgramFolder(dataFolder, filesFolder); }
    // "便携", "安装" or "指定", and the folder: the line the about box and --help show.
    QString describe() const;
};

DataFolderChoice ChooseDataFolder(const DataFolderPlace& place);

// Prepares a named or installed data folder: creates it and, when it holds no data file yet,
// copies the empty data file from the files folder, or has `makeEmpty` write one at the path it
// is given when the files folder holds none (false: it could not). Returns what went wrong in the
// user's words, or the empty text. A portable folder is left as it is.
QString SeedDataFolder(const DataFolderChoice& choice,
                       const std::function<bool(const QString& path)>& makeEmpty = {});

// The environment variable and the option that name a data folder.
inline constexpr const char* kDataFolderVariable = "QINGJIAN_DATA_DIR";
inline constexpr const char* kDataFolderOption = "--data-folder";
// The file beside the executable that keeps a copy portable.
inline constexpr const char* kPortableMarker = "portable";

} // namespace qj
