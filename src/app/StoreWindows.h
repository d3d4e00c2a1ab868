#pragma once
// The note store's windows as the main window opens them: the search windows ("全目录查找") and
// the category manager ("目录分类管理", made once). It gives them what they need of the main
// window (SearchHost, CategoryHost), taking each operation through the main window's own steps.

#include "seams/Services.h"
#include "store/windows/CategoryHost.h"
#include "store/windows/SearchHost.h"

#include <QList>
#include <QObject>
#include <QPointer>

namespace qj {

class TFmain;
class TFaddTable;
class TFind_all;
class HistoryWindow;
class TrashWindow;

class StoreWindows : public QObject, public SearchHost, public CategoryHost {
    Q_OBJECT
public:
    StoreWindows(TFmain& main, const Services& services);

    // "全目录查找": a new search window, shown.
    TFind_all* openSearch();

    // "历史版本" of the edited note and the "回收站", shown modally; null when there is nothing to
    // show them for (no edited note, no data file), after telling the user.
    HistoryWindow* openHistory();
    TrashWindow* openTrash();

    // "目录分类管理": the category manager, shown modally.
    void openCategoryManager();
    TFaddTable* categoryManager() const { return manager_; }

    // SearchHost and CategoryHost
    DataFile* dataFile() override;
    QStringList categoryNames() override;
    bool openNote(const QString& category, RecordId rowid, const QString& title) override;
    QString editorText() override;
    void selectInEditor(int start, int length) override;
    SearchSettings searchSettings() override;
    void saveSearchSettings(const SearchSettings& settings) override;
    void markInEditor(const std::vector<std::pair<int, int>>& ranges) override;

    // CategoryHost
    QString currentCategory() override;
    bool run(const std::function<void()>& command) override;
    void createCategory() override;
    bool dropCategory(const QString& name) override;
    bool dropCategories(const QStringList& names) override;
    bool makeDefault(const QString& name) override;
    bool makeCurrent(const QString& name) override;
    void makeCurrentAndDefault(const QString& name) override;
    void closeCurrent() override;
    void managerClosed() override;

private:
    int searchMarks_ = -1; // the editor's indicator of the search window's marks
    // Refills the category selector from the data file and selects `select` there (nothing when
    // it is not listed).
    void refillSelector(const QString& select);

    TFmain& main_;
    Services services_;
    TFaddTable* manager_ = nullptr;
    static constexpr int kCascadeStep = 30;
    QList<QPointer<TFind_all>> searches_; // in the order they were opened
};

} // namespace qj
