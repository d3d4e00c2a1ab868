#pragma once
// What the divination window needs of the notebook: the titles for its category combo, the
// selection, and filing a report as a new note.

#include <QString>
#include <QStringList>

#include <optional>

namespace qj {

class NoteFiling {
public:
    virtual ~NoteFiling() = default;
    // Titles of the top-level notes of the current category, in tree order.
    virtual QStringList topLevelTitles() const = 0;
    // Title of the selected note; nothing when no note is selected.
    virtual std::optional<QString> selectedTitle() const = 0;
    // Selects every note titled exactly `title`, in tree order (the last one stays selected).
    virtual void selectTitled(const QString& title) = 0;
    // Files `report` as a new note titled `question`: as the last child of the first note (tree
    // order, any depth) titled exactly `category`, or beside the selected note when none is. The
    // note is added as the tree's add commands add one, its text saved, the editor left writable.
    // False when a write was refused (the notebook has already said so).
    virtual bool fileReport(const QString& category, const QString& question, const QString& report) = 0;
};

} // namespace qj
