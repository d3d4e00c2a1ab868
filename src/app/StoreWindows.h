#pragma once
// The note store's windows as the main window opens them: the search windows ("全目录查找").
// It gives them what they need of the main window (the SearchHost).

#include "seams/Services.h"
#include "store/windows/SearchHost.h"

#include <QObject>

namespace qj {

class TFmain;
class TFind_all;

class StoreWindows : public QObject, public SearchHost {
    Q_OBJECT
public:
    StoreWindows(TFmain& main, const Services& services);

    // "全目录查找": a new search window, shown.
    TFind_all* openSearch();

    // SearchHost
    DataFile* dataFile() override;
    QStringList categoryNames() override;
    bool openNote(const QString& category, int id, const QString& title) override;
    QString editorText() override;
    void selectInEditor(int start, int length) override;

private:
    TFmain& main_;
    Services services_;
};

} // namespace qj
