#include "store/windows/TrashWindow.h"

#include "seams/StandardBoxes.h"
#include "store/DataFile.h"
#include "store/NoteHistory.h"
#include "store/StoreError.h"
#include "store/windows/HistoryWindow.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qj {

TrashWindow::TrashWindow(DataFile& file, Dialogs& dialogs, std::function<bool()> prepare,
                         std::function<void(const Restored&)> restored, QWidget* parent)
    : QDialog(parent), file_(file), dialogs_(dialogs), prepare_(std::move(prepare)),
      restored_(std::move(restored)) {
    setObjectName(QStringLiteral("TrashWindow"));
    setWindowTitle(QStringLiteral("回收站"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(720, 420);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("entries"));
    list_->setHeaderLabels({QStringLiteral("删除时间"), QStringLiteral("类型"), QStringLiteral("目录分类"),
                            QStringLiteral("标题"), QStringLiteral("笔记数"), QStringLiteral("大小")});
    list_->setRootIsDecorated(false);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    empty_ = new QLabel(this);
    empty_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    restoreButton_ = buttons->addButton(QStringLiteral("恢复"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    connect(restoreButton_, &QPushButton::clicked, this, &TrashWindow::restoreSelected);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &TrashWindow::restoreSelected);
    connect(list_, &QTreeWidget::currentItemChanged, this,
            [this] { restoreButton_->setEnabled(list_->currentItem() != nullptr); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(empty_);
    layout->addWidget(buttons);
    fill();
}

void TrashWindow::fill() {
    entries_.clear();
    list_->clear();
    empty_->clear();
    try {
        if (file_.AttachHistory()) {
            ExpireTrash(file_, file_.now());
            entries_ = TrashEntries(file_.db(), QStringLiteral("history"));
        }
    } catch (const StoreError& e) {
        empty_->setText(e.text());
    }
    for (const TrashEntry& e : entries_) {
        const bool category = e.kind == TrashEntry::Kind::Category;
        list_->addTopLevelItem(
            new QTreeWidgetItem({e.deleted.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
                                 category ? QStringLiteral("目录分类") : QStringLiteral("笔记"), e.category,
                                 e.title, QString::number(e.notes), SizeText(e.bytes)}));
    }
    if (entries_.empty() && empty_->text().isEmpty())
        empty_->setText(
            QStringLiteral("回收站是空的。删除的笔记和目录分类在这里保留 %1 天。").arg(kHistoryDays));
    else if (!entries_.empty())
        empty_->setText(QStringLiteral("删除的笔记和目录分类在这里保留 %1 天。恢复的笔记回到原来的上级节点下"
                                       "（上级已不在时放在最上层）。")
                            .arg(kHistoryDays));
    if (!entries_.empty())
        list_->setCurrentItem(list_->topLevelItem(0));
    restoreButton_->setEnabled(!entries_.empty());
}

void TrashWindow::restoreSelected() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0 || (prepare_ && !prepare_()))
        return;
    Restored done;
    try {
        done = RestoreDeleted(file_, entries_[static_cast<size_t>(row)].key);
    } catch (const StoreError& e) {
        ErrorBox(dialogs_, this, QStringLiteral("没有恢复：%1").arg(e.text()));
        return;
    }
    if (restored_)
        restored_(done);
    fill();
}

} // namespace qj
