#include "store/windows/HistoryWindow.h"

#include "store/DataFile.h"
#include "store/Sqlite.h"
#include "store/StoreError.h"
#include "text/LineDiff.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qj {

QString SizeText(std::int64_t bytes) {
    if (bytes < 1024)
        return QStringLiteral("%1 字节").arg(bytes);
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 KB").arg(bytes / 1024.0, 0, 'f', 1);
    return QStringLiteral("%1 MB").arg(bytes / (1024.0 * 1024.0), 0, 'f', 1);
}

HistoryWindow::HistoryWindow(DataFile& file, const QString& category, std::int64_t noteId,
                             const QString& title, QString current,
                             std::function<void(const QString&)> restore, QWidget* parent)
    : QDialog(parent), current_(std::move(current)), restore_(std::move(restore)) {
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(QStringLiteral("历史版本 - %1").arg(title));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(760, 560);

    if (file.AttachHistory()) {
        db_ = &file.db();
        schema_ = QStringLiteral("history");
    } else if (QFileInfo::exists(HistoryPathOf(file.path()))) {
        try {
            own_ = std::make_unique<Database>(HistoryPathOf(file.path()), Database::Mode::ReadOnly);
            db_ = own_.get();
            schema_ = QStringLiteral("main");
        } catch (const StoreError&) {
        }
    }
    std::int64_t held = 0;
    if (db_) {
        try {
            revisions_ = RevisionsOf(*db_, schema_, category, noteId);
            held = RevisionBytes(*db_, schema_);
        } catch (const StoreError&) {
            revisions_.clear();
        }
    }

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("revisions"));
    list_->setHeaderLabels({QStringLiteral("保存前的时间"), QStringLiteral("标题"), QStringLiteral("大小")});
    list_->setRootIsDecorated(false);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (const Revision& r : revisions_)
        list_->addTopLevelItem(new QTreeWidgetItem(
            {r.saved.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), r.title, SizeText(r.bytes)}));
    difference_ = new QPlainTextEdit(this);
    difference_->setObjectName(QStringLiteral("difference"));
    difference_->setReadOnly(true);
    difference_->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(list_);
    split->addWidget(difference_);
    split->setStretchFactor(1, 2);

    budget_ =
        new QLabel(revisions_.empty()
                       ? QStringLiteral("这条笔记还没有历史版本：每次保存时，被替换的文字会留作一个版本。")
                       : QStringLiteral("历史版本共占 %1（上限 %2）；每条笔记至少保留最近 %3 "
                                        "个版本和 %4 天内的全部版本，10 分钟内的多次保存只留一个版本。")
                             .arg(SizeText(held), SizeText(kHistoryBudgetBytes))
                             .arg(kRevisionsKept)
                             .arg(kHistoryDays),
                   this);
    budget_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    restoreButton_ = buttons->addButton(QStringLiteral("恢复此版本"), QDialogButtonBox::AcceptRole);
    restoreButton_->setEnabled(false);
    buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    connect(restoreButton_, &QPushButton::clicked, this, &HistoryWindow::restoreSelected);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::currentItemChanged, this, &HistoryWindow::showDifference);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &HistoryWindow::restoreSelected);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split);
    layout->addWidget(budget_);
    layout->addWidget(buttons);
    if (!revisions_.empty())
        list_->setCurrentItem(list_->topLevelItem(0));
}

HistoryWindow::~HistoryWindow() = default;

// The lines this version had that the editor's text lacks ("－"), and the other way ("＋").
void HistoryWindow::showDifference() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    restoreButton_->setEnabled(row >= 0);
    difference_->clear();
    if (row < 0)
        return;
    QString text;
    try {
        text = RevisionText(*db_, schema_, revisions_[static_cast<size_t>(row)].key);
    } catch (const StoreError& e) {
        difference_->setPlainText(e.text());
        return;
    }
    QTextCharFormat same;
    QTextCharFormat removed;
    removed.setBackground(QColor(0xff, 0xdd, 0xdd));
    QTextCharFormat added;
    added.setBackground(QColor(0xdd, 0xff, 0xdd));
    QTextCursor cursor(difference_->document());
    int changes = 0;
    for (const DiffLine& line : LineDiff(text, current_)) {
        const bool isSame = line.kind == DiffLine::Kind::Same;
        changes += isSame ? 0 : 1;
        const QString mark = isSame                                 ? QStringLiteral("　 ")
                             : line.kind == DiffLine::Kind::Removed ? QStringLiteral("－ ")
                                                                    : QStringLiteral("＋ ");
        cursor.insertText(mark + line.text + QLatin1Char('\n'), isSame ? same
                                                                : line.kind == DiffLine::Kind::Removed
                                                                    ? removed
                                                                    : added);
    }
    if (changes == 0)
        cursor.insertText(QStringLiteral("（与编辑器中的文字相同）"));
    difference_->moveCursor(QTextCursor::Start);
}

void HistoryWindow::restoreSelected() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0)
        return;
    try {
        restore_(RevisionText(*db_, schema_, revisions_[static_cast<size_t>(row)].key));
    } catch (const StoreError& e) {
        difference_->setPlainText(e.text());
        return;
    }
    accept();
}

} // namespace qj
